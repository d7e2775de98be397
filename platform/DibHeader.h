#pragma once
// The information header in front of a device-independent bitmap, in every form it is stored:
// BITMAPCOREHEADER (12 bytes), BITMAPINFOHEADER (40) and the longer headers that extend it (OS/2's
// of 16 to 64 bytes, 52 and 56 bytes with masks, BITMAPV4HEADER 108, BITMAPV5HEADER 124). BMP
// files and the bitmaps inside metafile records both read their headers here.

#include <array>
#include <cstdint>
#include <span>

#include "platform/GdiTypes.h"

namespace platform {

inline constexpr std::uint32_t kCoreHeaderSize = 12;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
// The smallest header that carries the red, green and blue masks itself.
inline constexpr std::uint32_t kMaskedHeaderSize = 52;

struct DibHeader {
    // biSize is the stored header's size; fields a short header lacks are 0. A core header's
    // sides are unsigned 16-bit numbers: its rows are always stored bottom-up.
    BITMAPINFOHEADER fields;
    std::array<std::uint32_t, 3> masks{};  // from a header of kMaskedHeaderSize bytes or more, else 0

    bool Core() const { return fields.biSize == kCoreHeaderSize; }
    // Colour-table entries are three bytes after a core header, four after all others.
    std::size_t ColorEntrySize() const { return Core() ? 3 : 4; }
    // A BITMAPINFOHEADER with BI_BITFIELDS is followed by its three masks.
    bool MasksFollow() const { return fields.biSize == kInfoHeaderSize && fields.biCompression == BI_BITFIELDS; }
};

// The header whose bytes, from its size field on, `bytes` holds. Bytes past the size the field
// gives are not read; a field beyond the end of `bytes` reads as 0. The size is not judged.
DibHeader ParseDibHeader(std::span<const std::uint8_t> bytes);

}  // namespace platform
