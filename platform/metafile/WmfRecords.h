#pragma once
// Windows-metafile object records read into named fields, once, through the checked
// RecordReader. A record is its 32-bit size in words, its 16-bit function, then the parameters
// from byte kWmfParams on.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/GdiTypes.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

// The first parameter byte of a record.
constexpr std::size_t kWmfParams = 6;

struct MetaCreatePenIndirect {
    std::uint16_t style = 0;
    std::int16_t width = 0;  // the x of the width point
    COLORREF color = 0;
    static MetaCreatePenIndirect Read(const RecordReader& r);
};

struct MetaCreateBrushIndirect {
    std::uint16_t style = 0;
    COLORREF color = 0;
    std::uint16_t hatch = 0;
    static MetaCreateBrushIndirect Read(const RecordReader& r);
};

struct MetaCreateFontIndirect {
    std::int16_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
    std::uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0, outPrecision = 0, clipPrecision = 0,
                 quality = 0, pitchAndFamily = 0;
    std::string face;  // to its NUL, 32 bytes or the record's end, whichever comes first
    static MetaCreateFontIndirect Read(const RecordReader& r);
};

struct MetaCreatePalette {
    std::uint16_t count = 0;            // at most 256
    std::vector<std::uint8_t> entries;  // red, green, blue, flags each
    static MetaCreatePalette Read(const RecordReader& r);
};

}  // namespace platform
