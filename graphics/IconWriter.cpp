// A one-image icon file written from a platform icon: 24-bit colour rows, then the mask rows.
#include <vector>

#include "graphics/BitmapSurface.h"
#include "graphics/Exceptions.h"
#include "graphics/IconEntry.h"
#include "graphics/IconFile.h"

namespace ico {

namespace {
constexpr int kWrittenBits = 24;

// The surface's rows, bottom-up, in the bit count asked for.
std::vector<std::uint8_t> RowsOf(const platform::HBITMAP& surface, int bits) {
    platform::BITMAP bm;
    platform::GetObject(surface, sizeof bm, &bm);
    platform::BITMAPINFO info;
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = std::uint16_t(bits);
    std::vector<std::uint8_t> rows(std::size_t(RowBytes(bm.bmWidth, bits)) * std::size_t(bm.bmHeight));
    const platform::HDC screen = platform::GetDC(nullptr);
    const int done =
        platform::GetDIBits(screen, surface, 0, unsigned(bm.bmHeight), rows.data(), info, platform::DIB_RGB_COLORS);
    platform::ReleaseDC(nullptr, screen);
    if (done != bm.bmHeight) RaiseLastPlatformError();
    return rows;
}

std::uint8_t SizeByte(std::int32_t pixels) { return pixels >= kZeroByteSize ? 0 : std::uint8_t(pixels); }

void WriteInfoHeader(TStream& stream, std::int32_t width, std::int32_t height, std::uint32_t imageSize) {
    stream.WriteUInt32(40);
    stream.WriteInt32(width);
    stream.WriteInt32(height * 2);  // colour and mask together
    stream.WriteUInt16(1);
    stream.WriteUInt16(kWrittenBits);
    stream.WriteUInt32(platform::BI_RGB);
    stream.WriteUInt32(imageSize);
    for (int i = 0; i < 4; ++i) stream.WriteUInt32(0);
}

}  // namespace

void WriteIconFile(TStream& stream, const platform::HICON& icon) {
    platform::ICONINFO parts;
    if (!platform::GetIconInfo(icon, &parts)) RaiseLastPlatformError();
    const std::vector<std::uint8_t> color = RowsOf(parts.hbmColor, kWrittenBits);
    const std::vector<std::uint8_t> mask = RowsOf(parts.hbmMask, 1);
    const std::int32_t width = icon->Width();
    const std::int32_t height = icon->Height();
    const std::uint32_t imageSize = std::uint32_t(color.size() + mask.size());
    stream.WriteUInt16(0);
    stream.WriteUInt16(kTypeIcon);
    stream.WriteUInt16(1);
    stream.WriteUInt8(SizeByte(width));
    stream.WriteUInt8(SizeByte(height));
    stream.WriteUInt8(0);  // colour count: more than 256
    stream.WriteUInt8(0);
    stream.WriteUInt16(1);
    stream.WriteUInt16(kWrittenBits);
    stream.WriteUInt32(40 + imageSize);
    stream.WriteUInt32(std::uint32_t(kHeaderSize + kEntrySize));
    WriteInfoHeader(stream, width, height, imageSize);
    stream.WriteBuffer(color.data(), std::int64_t(color.size()));
    stream.WriteBuffer(mask.data(), std::int64_t(mask.size()));
}

}  // namespace ico
