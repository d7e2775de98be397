#include "platform/DibLayout.h"

#include <algorithm>

#include "platform/Surface.h"

namespace platform {

namespace {
bool ValidCompression(const DibLayout& l) {
    switch (l.compression) {
    case BI_RGB: return true;
    case BI_BITFIELDS: return l.bitsPerPixel == 16 || l.bitsPerPixel == 32;
    case BI_RLE8: return l.bitsPerPixel == 8 && !l.topDown;  // encoded rows are bottom-up only
    case BI_RLE4: return l.bitsPerPixel == 4 && !l.topDown;
    default: return false;
    }
}
}  // namespace

std::optional<DibLayout> LayoutOf(const BITMAPINFOHEADER& header, const std::array<std::uint32_t, 3>& masks) {
    DibLayout l;
    l.width = header.biWidth;
    l.topDown = header.biHeight < 0;
    // INT32_MIN has no positive counterpart; refuse it rather than overflow.
    if (header.biHeight == INT32_MIN || header.biWidth <= 0 || header.biHeight == 0) return std::nullopt;
    l.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    l.bitsPerPixel = header.biBitCount;
    l.compression = header.biCompression;
    if (!ValidBitCount(l.bitsPerPixel) || !ValidCompression(l)) return std::nullopt;
    l.masks = l.compression == BI_BITFIELDS ? masks : DefaultMasks(l.bitsPerPixel);
    if (l.compression == BI_BITFIELDS && l.masks == std::array<std::uint32_t, 3>{})
        l.masks = l.bitsPerPixel == 16 ? std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F} : DefaultMasks(32);
    const std::uint64_t stride = RowBytes(l.width, l.bitsPerPixel, 4);
    if (stride == 0 || stride > kMaxSurfaceBytes / std::uint64_t(l.height)) return std::nullopt;
    l.stride = std::size_t(stride);
    l.imageSize = std::size_t(stride) * std::size_t(l.height);
    return l;
}

std::vector<Rgb> ColorTableOf(const BITMAPINFO& info, int bitsPerPixel) {
    if (bitsPerPixel > 8) return {};
    std::size_t count = std::size_t(1) << bitsPerPixel;
    if (info.bmiHeader.biClrUsed != 0) count = std::min<std::size_t>(count, info.bmiHeader.biClrUsed);
    std::vector<Rgb> colors(count, 0);
    for (std::size_t i = 0; i < count && i < info.bmiColors.size(); ++i) colors[i] = RgbFromQuad(info.bmiColors[i]);
    return colors;
}

}  // namespace platform
