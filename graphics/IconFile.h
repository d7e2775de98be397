#pragma once
// The icon file format: the header, the directory, the choice of the image to build and the
// reading of that image into a platform icon; and a one-image file written from an icon.
// Every offset and size is checked against the kept data, so a damaged file ends in
// EInvalidGraphic "Icon image is not valid", never in a read outside it.

#include <cstdint>
#include <vector>

#include "graphics/Streams.h"
#include "platform/Icons.h"

namespace ico {
inline constexpr std::int64_t kHeaderSize = 6;
inline constexpr std::int64_t kEntrySize = 16;
inline constexpr std::uint16_t kTypeStock = 0;
inline constexpr std::uint16_t kTypeIcon = 1;
// Whole files above this are refused when loading: real icon files stay far below it.
inline constexpr std::int64_t kMaxFileBytes = std::int64_t(64) << 20;
// An image's pixels, as stored or as its PNG header declares them.
inline constexpr std::int64_t kMaxImagePixels = std::int64_t(1) << 20;
inline constexpr std::int32_t kMaxImageDimension = 4096;
// A size byte of 0 stands for 256 pixels in current icon files.
inline constexpr std::int32_t kZeroByteSize = 256;

struct Header {
    std::uint16_t reserved = 0;
    std::uint16_t type = 0;
    std::uint16_t count = 0;
};

struct DirEntry {
    std::uint8_t width = 0;
    std::uint8_t height = 0;
    std::uint8_t colorCount = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t bytesInRes = 0;
    std::uint32_t imageOffset = 0;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Reads the header at the stream's position (EReadError when short).
Header ReadHeader(TStream& stream);
// Unlimited colours, as an entry's count byte of 0 and a deep display have.
inline constexpr std::uint32_t kUnlimitedColors = 0;
// The colours the display shows at once, or unlimited.
std::uint32_t DisplayColors();
// The index of the entry to build for the desired size and the display's colours.
std::size_t ChooseEntry(const std::vector<DirEntry>& entries, Size desired, std::uint32_t displayColors);
// The pixel size an entry declares.
Size EntrySize(const DirEntry& entry);

// Builds the icon of a kept type-1 file; `built` receives its size.
platform::HICON ReadIconImage(TMemoryStream& data, Size desired, Size& built);
// A one-image icon file (24-bit colour and its mask) of the icon.
void WriteIconFile(TStream& stream, const platform::HICON& icon);
}  // namespace ico
