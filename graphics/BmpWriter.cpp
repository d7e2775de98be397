// Writing BMP files: kept file bytes as they are, else the DIB section with its colour table,
// in the OS/2 core form when the bitmap was read in it and still fits it.
#include <cstdlib>
#include <limits>
#include <vector>

#include "graphics/BitmapImage.h"
#include "graphics/Bitmap.h"
#include "graphics/BitmapPalette.h"
#include "graphics/BitmapSurface.h"
#include "graphics/BmpFile.h"
#include "graphics/Exceptions.h"
#include "graphics/Messages.h"

namespace {
using platform::RGBQUAD;

constexpr std::int32_t kMaxCoreDimension = 0xFFFF;

bool HasMasks(const platform::BITMAPINFOHEADER& h) {
    return h.biBitCount > 8 && h.biCompression == platform::BI_BITFIELDS;
}

// The core header knows only bottom-up rows, 16-bit sizes and these depths; a bitmap changed
// beyond that is written with the 40-byte header rather than corrupted.
bool FitsCoreHeader(const platform::BITMAPINFOHEADER& h) {
    const bool depth = h.biBitCount == 1 || h.biBitCount == 4 || h.biBitCount == 8 || h.biBitCount == 24;
    return depth && h.biCompression == platform::BI_RGB && h.biHeight > 0 && h.biHeight <= kMaxCoreDimension &&
           h.biWidth <= kMaxCoreDimension;
}

std::vector<RGBQUAD> ColorTable(const TBitmapImage& image) {
    std::vector<RGBQUAD> table = SectionColorTable(image.dibHandle);
    const std::uint32_t used = image.dib.dsBmih.biClrUsed;
    if (used != 0 && used < table.size()) table.resize(used);
    if (!image.os2 && table.empty() && image.palette && !image.halftone)
        table = ColorTableFromPalette(image.palette, kMaxPaletteEntries - 1);
    return table;
}

void WriteCoreHeader(TStream& out, const platform::BITMAPINFOHEADER& h, const std::vector<RGBQUAD>& table) {
    out.WriteUInt32(bmp::kCoreHeaderSize);
    out.WriteUInt16(std::uint16_t(h.biWidth));
    out.WriteUInt16(std::uint16_t(h.biHeight));
    out.WriteUInt16(1);
    out.WriteUInt16(h.biBitCount);
    const std::size_t entries = std::size_t(ColorTableEntries(h.biBitCount));
    std::vector<std::uint8_t> bytes(entries * 3, 0);  // entries beyond the table stay zero
    for (std::size_t i = 0; i < entries && i < table.size(); ++i) {
        bytes[i * 3] = table[i].rgbBlue;
        bytes[i * 3 + 1] = table[i].rgbGreen;
        bytes[i * 3 + 2] = table[i].rgbRed;
    }
    out.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
}

void WriteInfoHeader(TStream& out, const platform::DIBSECTION& d, std::int64_t imageSize,
                     const std::vector<RGBQUAD>& table) {
    const platform::BITMAPINFOHEADER& h = d.dsBmih;
    out.WriteUInt32(bmp::kInfoHeaderSize);
    out.WriteInt32(h.biWidth);
    out.WriteInt32(h.biHeight);
    out.WriteUInt16(1);
    out.WriteUInt16(h.biBitCount);
    out.WriteUInt32(h.biCompression);
    out.WriteUInt32(std::uint32_t(imageSize));
    out.WriteInt32(h.biXPelsPerMeter);
    out.WriteInt32(h.biYPelsPerMeter);
    out.WriteUInt32(std::uint32_t(table.size()));
    out.WriteUInt32(h.biClrImportant <= table.size() ? h.biClrImportant : 0);
    if (HasMasks(h)) {
        auto masks = d.dsBitfields;
        if (masks == std::array<std::uint32_t, 3>{}) masks = DefaultMasks(h.biBitCount);
        for (std::uint32_t mask : masks) out.WriteUInt32(mask);
    }
    for (const RGBQUAD& c : table) out.WriteBuffer(&c, 4);
}
}  // namespace

namespace bmp {
void WriteFileHeader(TStream& out, const TBmpFileHeader& header) {
    out.WriteUInt16(header.bfType);
    out.WriteUInt32(header.bfSize);
    out.WriteUInt16(header.bfReserved1);
    out.WriteUInt16(header.bfReserved2);
    out.WriteUInt32(header.bfOffBits);
}

void WriteBmp(TStream& stream, const TBitmapImage& image, bool sizePrefix) {
    if (image.keptFileData) {
        if (sizePrefix) stream.WriteUInt32(std::uint32_t(image.keptFileData->Size()));
        stream.WriteBuffer(image.keptFileData->Memory(), image.keptFileData->Size());
        return;
    }
    if (!image.dibHandle || !image.dib.dsBm.bmBits) {
        if (sizePrefix) stream.WriteUInt32(0);
        return;
    }
    const platform::DIBSECTION& d = image.dib;
    const platform::BITMAPINFOHEADER& h = d.dsBmih;
    const std::vector<RGBQUAD> table = ColorTable(image);
    const bool core = image.os2 && FitsCoreHeader(h);
    const std::int64_t headerBytes = core ? kCoreHeaderSize + 3 * ColorTableEntries(h.biBitCount)
                                          : kInfoHeaderSize + (HasMasks(h) ? 12 : 0) + 4 * std::int64_t(table.size());
    const std::int64_t imageSize = RowBytes(h.biWidth, h.biBitCount) * std::abs(h.biHeight);
    const std::int64_t fileSize = kFileHeaderSize + headerBytes + imageSize;
    if (fileSize > std::numeric_limits<std::uint32_t>::max()) throw EWriteError(msg::SStreamWrite);
    if (sizePrefix) stream.WriteUInt32(std::uint32_t(fileSize));
    TBmpFileHeader header;
    header.bfSize = std::uint32_t(fileSize);
    header.bfOffBits = std::uint32_t(kFileHeaderSize + headerBytes);
    WriteFileHeader(stream, header);
    if (core) WriteCoreHeader(stream, h, table);
    else WriteInfoHeader(stream, d, imageSize, table);
    stream.WriteBuffer(d.dsBm.bmBits, imageSize);
}
}  // namespace bmp
