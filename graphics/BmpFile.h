#pragma once
// The BMP file format: reading a file (or a body without file header) into a new surface,
// and writing a bitmap's image back. Every read is bounded by the named limits below, so a
// hostile file ends in EInvalidGraphic "Bitmap image is not valid" or EReadError.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "graphics/Streams.h"
#include "platform/DibHeader.h"
#include "platform/Gdi.h"

class TBitmapImage;

namespace bmp {
inline constexpr std::uint16_t kFileType = 0x4D42;  // "BM"
inline constexpr std::int64_t kFileHeaderSize = 14;
using platform::kCoreHeaderSize;
using platform::kInfoHeaderSize;
// The smallest other header that still holds planes and bit count.
inline constexpr std::uint32_t kMinHeaderSize = 16;
inline constexpr std::uint32_t kMaxHeaderSize = 4096;
// Colour-table entries kept; a longer table is skipped over.
inline constexpr std::uint32_t kMaxColorEntries = 256;
inline constexpr std::int32_t kMaxDimension = 65535;
// Keeps one surface of the picture, even converted to 32 bits, at or below 512 MiB.
inline constexpr std::int64_t kMaxPixels = std::int64_t(1) << 27;
}  // namespace bmp

struct TBmpFileHeader {
    std::uint16_t bfType = bmp::kFileType;
    std::uint32_t bfSize = 0;
    std::uint16_t bfReserved1 = 0;
    std::uint16_t bfReserved2 = 0;
    std::uint32_t bfOffBits = 0;
};

// What a read produces, installed as the bitmap's new image.
struct TBmpContent {
    platform::HBITMAP surface;
    platform::HPALETTE palette;
    platform::DIBSECTION description{};
    bool os2 = false;
    std::unique_ptr<TMemoryStream> keptFileData;  // encoded pixels: the file's bytes
};

namespace bmp {
// A whole file of `count` bytes (count > 0) from the stream's position; `colorManagement` brings
// the pixels of a file with an embedded profile to sRGB.
TBmpContent ReadBmp(TStream& stream, std::int64_t count, bool colorManagement);
// The information header onwards; `header` is the file header already read, or null.
TBmpContent ReadBmpBody(TStream& stream, std::int64_t count, const TBmpFileHeader* header, bool colorManagement);
// Called with the stream just past the information header: the ICC profile a version 5 header
// says is embedded in the body's `count` bytes; empty when there is none, it lies outside those
// bytes, or it is too large. `header` holds the header's bytes after its size field. The
// stream's position is kept.
std::vector<std::uint8_t> ReadEmbeddedProfile(TStream& stream, std::int64_t count, std::uint32_t headerSize,
                                              std::span<const std::uint8_t> header);
void WriteFileHeader(TStream& stream, const TBmpFileHeader& header);
// Writes the image (its DIB section made, or its kept file data) as a BMP file, with a 32-bit
// byte count in front when asked.
void WriteBmp(TStream& stream, const TBitmapImage& image, bool sizePrefix);
}  // namespace bmp
