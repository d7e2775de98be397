// Pixels between surfaces and caller memory: GetDIBits and CreateDIBitmap.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/DibLayout.h"
#include "platform/RleDecoder.h"
#include "platform/StockColors.h"
#include "platform/Surface.h"

namespace platform {

namespace {

std::uint32_t NativeCompression(const Surface& s) {
    return s.BitsPerPixel() == 16 && s.Masks() != DefaultMasks(16) ? BI_BITFIELDS : s.Compression();
}

// What GetDIBits answers for a bit count of 0: the surface's own format.
void DescribeSurface(const Surface& s, BITMAPINFO& info) {
    BITMAPINFOHEADER& h = info.bmiHeader;
    h.biWidth = s.Width();
    h.biHeight = s.Height();
    h.biPlanes = 1;
    h.biBitCount = std::uint16_t(s.BitsPerPixel());
    h.biCompression = NativeCompression(s);
    h.biSizeImage = std::uint32_t(RowBytes(s.Width(), s.BitsPerPixel(), 4) * std::uint64_t(s.Height()));
    if (h.biCompression == BI_BITFIELDS) info.bmiMasks = s.Masks();
}

// The colour table of a palette format: the surface's own when it has that many bits,
// otherwise black and white, the standard sixteen or the halftone palette.
std::vector<Rgb> TableFor(const Surface& s, int bits) {
    std::vector<Rgb> colors = s.BitsPerPixel() == bits ? s.Colors().Colors() : DefaultColors(bits);
    colors.resize(std::size_t(1) << bits, 0);
    return colors;
}

void StoreTable(const std::vector<Rgb>& colors, BITMAPINFO& info) {
    info.bmiColors.resize(colors.size());
    std::transform(colors.begin(), colors.end(), info.bmiColors.begin(), QuadFromRgb);
}

int ConvertInto(const Surface& s, const DibLayout& l, const ColorTable& table, unsigned start, unsigned lines,
                std::uint8_t* bits) {
    const PixelCodec from(s.Format());
    const PixelCodec to(PixelFormat{l.bitsPerPixel, l.masks, &table});
    const int width = std::min(l.width, s.Width());
    std::vector<Rgb> scratch(std::size_t(std::max(width, 1)));
    // Whole-byte pixels in the same layout are plain copies; decided once, not per row.
    const bool copies = l.bitsPerPixel >= 8 && from.SameLayout(to);
    const std::size_t rowBytes = std::size_t(width) * std::size_t(l.bitsPerPixel) / 8;
    int converted = 0;
    // Scan line numbers count from the bottom for bottom-up layouts, from the top otherwise.
    for (std::uint64_t line = start; line < std::uint64_t(start) + lines && line < std::uint64_t(l.height); ++line) {
        const std::int64_t surfaceRow = l.topDown ? std::int64_t(line) : s.Height() - 1 - std::int64_t(line);
        if (surfaceRow < 0 || surfaceRow >= s.Height()) break;
        std::uint8_t* target = bits + std::size_t(line - start) * l.stride;
        if (copies) std::memcpy(target, s.Row(int(surfaceRow)), rowBytes);
        else ConvertRow(from, s.Row(int(surfaceRow)), to, target, width, scratch.data());
        ++converted;
    }
    return converted;
}

}  // namespace

int GetDIBits(const HDC&, const HBITMAP& bitmap, unsigned start, unsigned lines, void* bits, BITMAPINFO& info,
              std::uint32_t usage) {
    if (!bitmap || usage != DIB_RGB_COLORS) return 0;
    BITMAPINFOHEADER& h = info.bmiHeader;
    if (h.biSize == 0) h.biSize = 40;
    if (h.biBitCount == 0) {
        DescribeSurface(*bitmap, info);
        return bits ? 0 : bitmap->Height();
    }
    if (h.biWidth == 0 && h.biHeight == 0) h.biWidth = bitmap->Width(), h.biHeight = bitmap->Height();
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return 0;
    const auto layout = LayoutOf(h, info.bmiMasks);
    if (!layout) return 0;
    h.biSizeImage = std::uint32_t(layout->imageSize);
    if (h.biCompression == BI_BITFIELDS) info.bmiMasks = layout->masks;
    ColorTable table;
    if (layout->bitsPerPixel <= 8) {
        table = ColorTable(TableFor(*bitmap, layout->bitsPerPixel));
        StoreTable(table.Colors(), info);
    }
    if (!bits) return layout->height;
    return ConvertInto(*bitmap, *layout, table, start, lines, static_cast<std::uint8_t*>(bits));
}

namespace {

// Writes decoded run-length rows into a device-dependent surface, leaving unset pixels as they are.
class SurfaceRleSink : public RleRowSink {
public:
    SurfaceRleSink(Surface& surface, const ColorTable& table, std::int32_t width)
        : surface_(surface), codec_(surface.Format()), table_(table), colors_(std::size_t(width)) {}
    void Row(std::int32_t storedRow, const std::uint8_t* indices, const std::uint8_t* set) override {
        const std::int32_t y = surface_.Height() - 1 - storedRow;
        for (std::size_t x = 0; x < colors_.size(); ++x) colors_[x] = table_.At(indices[x]);
        codec_.Write(surface_.Row(y), 0, int(colors_.size()), colors_.data(), set);
    }

private:
    Surface& surface_;
    PixelCodec codec_;
    const ColorTable& table_;
    std::vector<Rgb> colors_;
};

void CopyRows(Surface& target, const DibLayout& l, const ColorTable& table, const std::uint8_t* bits,
              std::size_t bitsSize) {
    const PixelCodec from(PixelFormat{l.bitsPerPixel, l.masks, &table});
    const PixelCodec to(target.Format());
    const int width = std::min(l.width, target.Width());
    std::vector<Rgb> scratch(std::size_t(std::max(width, 1)));
    for (std::int32_t y = 0; y < std::min(l.height, target.Height()); ++y) {
        const std::size_t offset = l.StoredRow(y) * l.stride;
        if (offset >= bitsSize) continue;
        // A row cut short by the end of the data keeps the pixels it has.
        const std::size_t available = (bitsSize - offset) * 8 / std::size_t(l.bitsPerPixel);
        const int n = int(std::min<std::size_t>(std::size_t(width), available));
        ConvertRow(from, bits + offset, to, target.Row(y), n, scratch.data());
    }
}

}  // namespace

HBITMAP CreateDIBitmap(const HDC&, const BITMAPINFOHEADER* header, std::uint32_t init, const void* bits,
                       std::size_t bitsSize, const BITMAPINFO& info, std::uint32_t usage) {
    const BITMAPINFOHEADER& h = header ? *header : info.bmiHeader;
    const bool encoded = info.bmiHeader.biCompression == BI_RLE8 || info.bmiHeader.biCompression == BI_RLE4;
    if (usage != DIB_RGB_COLORS || h.biHeight == INT32_MIN || (encoded && info.bmiHeader.biHeight < 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HBITMAP surface = Surface::MakeDisplayCompatible(h.biWidth, std::abs(h.biHeight));
    if (!surface || !(init & CBM_INIT) || !bits) return surface;
    const auto layout = LayoutOf(info.bmiHeader, info.bmiMasks);
    if (!layout) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const ColorTable table(ColorTableOf(info, layout->bitsPerPixel));
    const auto* data = static_cast<const std::uint8_t*>(bits);
    if (encoded) {
        const std::int32_t width = std::min(layout->width, surface->Width());
        SurfaceRleSink sink(*surface, table, width);
        RleDecoder(layout->bitsPerPixel, width, std::min(layout->height, surface->Height()))
            .Decode(data, bitsSize, sink);
    } else {
        CopyRows(*surface, *layout, table, data, bitsSize);
    }
    return surface;
}

}  // namespace platform
