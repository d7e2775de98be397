// Building the platform icon of an icon file: the directory, the chosen entry's pixels (a
// bitmap with its mask, or a PNG image), and the icon at the entry's size.
#include <cstring>

#include "graphics/Bitmap.h"
#include "graphics/BitmapSurface.h"
#include "graphics/BmpFile.h"
#include "graphics/Exceptions.h"
#include "graphics/IconEntry.h"
#include "graphics/IconFile.h"
#include "graphics/Messages.h"
#include "platform/PixelFormat.h"

namespace ico {

namespace {
using platform::BITMAPINFOHEADER;
using platform::HBITMAP;
using platform::HDC;

using bmp::kInfoHeaderSize;

[[noreturn]] void Invalid() { throw EInvalidGraphic(msg::SInvalidIcon); }

std::vector<DirEntry> ReadDirectory(TMemoryStream& data, std::uint16_t count) {
    if (count == 0 || kHeaderSize + count * kEntrySize > data.Size()) Invalid();
    std::vector<DirEntry> entries(count);
    data.SetPosition(kHeaderSize);
    for (DirEntry& e : entries) {
        e.width = data.ReadUInt8();
        e.height = data.ReadUInt8();
        e.colorCount = data.ReadUInt8();
        e.reserved = data.ReadUInt8();
        e.planes = data.ReadUInt16();
        e.bitCount = data.ReadUInt16();
        e.bytesInRes = data.ReadUInt32();
        e.imageOffset = data.ReadUInt32();
    }
    return entries;
}

BITMAPINFOHEADER ReadInfoHeader(TMemoryStream& data) {
    std::uint8_t header[kInfoHeaderSize];
    data.ReadBuffer(header, sizeof header);
    return platform::ParseDibHeader(header).fields;
}

// The header's height counts the colour image and the mask together.
void CheckBitmapHeader(BITMAPINFOHEADER& h, std::int64_t entrySize) {
    if (h.biSize < kInfoHeaderSize || h.biSize > entrySize || h.biCompression != platform::BI_RGB ||
        !platform::ValidBitCount(h.biBitCount))
        Invalid();
    h.biHeight /= 2;
    if (h.biWidth <= 0 || h.biHeight <= 0 || h.biWidth > kMaxImageDimension || h.biHeight > kMaxImageDimension ||
        std::int64_t(h.biWidth) * h.biHeight > kMaxImagePixels)
        Invalid();
}

// A bitmap entry: header, colour table, colour rows, mask rows.
EntryPixels ReadBitmapEntry(TMemoryStream& data, std::int64_t offset, std::int64_t size) {
    if (size < kInfoHeaderSize) Invalid();
    data.SetPosition(offset);
    BITMAPINFOHEADER h = ReadInfoHeader(data);
    CheckBitmapHeader(h, size);
    EntryPixels pixels;
    const std::size_t tableSize = std::size_t(ColorTableEntries(h.biBitCount));
    const std::size_t colorBytes = std::size_t(RowBytes(h.biWidth, h.biBitCount)) * std::size_t(h.biHeight);
    const std::size_t maskBytes = MaskRowBytes(h.biWidth) * std::size_t(h.biHeight);
    if (h.biSize + 4 * tableSize + colorBytes + maskBytes > std::uint64_t(size)) Invalid();
    data.SetPosition(offset + h.biSize);
    pixels.colorInfo.bmiColors.resize(tableSize);
    for (platform::RGBQUAD& q : pixels.colorInfo.bmiColors) data.ReadBuffer(&q, 4);
    pixels.color.resize(colorBytes);
    data.ReadBuffer(pixels.color.data(), std::int64_t(colorBytes));
    pixels.mask.resize(maskBytes);
    data.ReadBuffer(pixels.mask.data(), std::int64_t(maskBytes));
    h.biSize = kInfoHeaderSize;
    h.biClrUsed = h.biClrImportant = 0;
    h.biSizeImage = std::uint32_t(colorBytes);
    pixels.colorInfo.bmiHeader = h;
    return pixels;
}

// 32-bit images made for alpha blending carry their transparency in the alpha bytes, which take
// precedence over the mask; images whose alpha bytes are all 0 use the mask alone.
bool HasAlpha(const EntryPixels& pixels) {
    if (pixels.colorInfo.bmiHeader.biBitCount != 32) return false;
    for (std::size_t i = 3; i < pixels.color.size(); i += 4)
        if (pixels.color[i]) return true;
    return false;
}

EntryPixels ReadEntry(TMemoryStream& data, const DirEntry& entry) {
    const std::int64_t offset = entry.imageOffset;
    const std::int64_t size = entry.bytesInRes;
    if (offset + size > data.Size()) Invalid();
    if (IsPngEntry(data.Memory() + offset, std::size_t(size)))
        return ReadPngEntry(data.Memory() + offset, std::size_t(size));
    EntryPixels pixels = ReadBitmapEntry(data, offset, size);
    if (HasAlpha(pixels)) MaskFromAlpha(pixels);
    return pixels;
}

platform::BITMAP Describe(const HBITMAP& surface) {
    platform::BITMAP bm;
    platform::GetObject(surface, sizeof bm, &bm);
    return bm;
}

// Copies a surface, stretched, into a new one of the built size in the target's format.
HBITMAP Stretched(const HBITMAP& source, const HBITMAP& target) {
    if (!source || !target) RaiseLastPlatformError();
    const platform::BITMAP sourceSize = Describe(source);
    const platform::BITMAP targetSize = Describe(target);
    const HDC from = platform::CreateCompatibleDC(nullptr);
    const HDC to = platform::CreateCompatibleDC(nullptr);
    platform::SelectObject(from, source);
    platform::SelectObject(to, target);
    platform::SetStretchBltMode(to, platform::COLORONCOLOR);
    const bool done = platform::StretchBlt(to, 0, 0, targetSize.bmWidth, targetSize.bmHeight, from, 0, 0,
                                           sourceSize.bmWidth, sourceSize.bmHeight, platform::SRCCOPY);
    platform::DeleteDC(from);
    platform::DeleteDC(to);
    if (!done) RaiseLastPlatformError();
    return target;
}

HBITMAP MaskSurface(const EntryPixels& pixels) {
    platform::BITMAPINFO info;
    info.bmiHeader = {40, pixels.Width(), pixels.Height(), 1, 1, platform::BI_RGB, 0, 0, 0, 2, 2};
    info.bmiColors = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    void* bits = nullptr;
    HBITMAP mask = platform::CreateDIBSection(nullptr, info, platform::DIB_RGB_COLORS, &bits);
    if (!mask) RaiseLastPlatformError();
    std::memcpy(bits, pixels.mask.data(), pixels.mask.size());  // the same rows, padded to 4 bytes
    return mask;
}

platform::HICON BuildIcon(const EntryPixels& pixels, Size built) {
    const HDC screen = platform::GetDC(nullptr);
    const HBITMAP colorSource =
        platform::CreateDIBitmap(screen, &pixels.colorInfo.bmiHeader, platform::CBM_INIT, pixels.color.data(),
                                 pixels.color.size(), pixels.colorInfo, platform::DIB_RGB_COLORS);
    const HBITMAP color = Stretched(colorSource, platform::CreateCompatibleBitmap(screen, built.width, built.height));
    platform::ReleaseDC(nullptr, screen);
    const HBITMAP mask =
        Stretched(MaskSurface(pixels), platform::CreateBitmap(built.width, built.height, 1, 1, nullptr));
    platform::ICONINFO info;
    info.hbmColor = color;
    info.hbmMask = mask;
    platform::HICON icon = platform::CreateIconIndirect(info);
    if (!icon) RaiseLastPlatformError();
    return icon;
}

}  // namespace

std::size_t MaskRowBytes(std::int32_t width) { return std::size_t(RowBytes(width, 1)); }

void MaskFromAlpha(EntryPixels& pixels) {
    const std::int32_t width = pixels.Width();
    const std::size_t colorStride = std::size_t(width) * 4;
    const std::size_t maskStride = MaskRowBytes(width);
    pixels.mask.assign(maskStride * std::size_t(pixels.Height()), 0);
    for (std::int32_t y = 0; y < pixels.Height(); ++y) {
        std::uint8_t* row = pixels.color.data() + std::size_t(y) * colorStride;
        std::uint8_t* maskRow = pixels.mask.data() + std::size_t(y) * maskStride;
        for (std::int32_t x = 0; x < width; ++x) {
            if (row[4 * x + 3] >= 128) continue;
            std::memset(row + 4 * x, 0, 4);
            maskRow[x / 8] |= std::uint8_t(0x80 >> (x % 8));
        }
    }
}

platform::HICON ReadIconImage(TMemoryStream& data, Size desired, Size& built) {
    data.SetPosition(0);
    const Header header = ReadHeader(data);
    const std::vector<DirEntry> entries = ReadDirectory(data, header.count);
    const DirEntry& entry = entries[ChooseEntry(entries, desired, DisplayColors())];
    const EntryPixels pixels = ReadEntry(data, entry);
    built = EntrySize(entry);
    return BuildIcon(pixels, built);
}

}  // namespace ico
