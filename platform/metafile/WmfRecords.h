#pragma once
// Windows-metafile records read into named fields, once, through the checked RecordReader;
// those enhanced metafiles have too are in RecordPairs.h. A record is its 32-bit size in words, its 16-bit function, then the parameters
// from byte kWmfParams on.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/GdiTypes.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

// The first parameter byte of a record.
constexpr std::size_t kWmfParams = 6;

// The point at `at`, stored y first (parameters are kept in reverse of the call order).
inline POINT ReversedPoint(const RecordReader& r, std::size_t at) { return POINT{r.I16(at + 2), r.I16(at)}; }

// SETBKMODE, SETMAPMODE, SETROP2, SETPOLYFILLMODE, SETSTRETCHBLTMODE, SETTEXTALIGN,
// SETLAYOUT; and SELECTOBJECT, DELETEOBJECT, SELECTPALETTE and SELECTCLIPREGION (an object
// index).
using MetaSetMode = OneValueRecord<std::uint16_t, kWmfParams>;
using MetaObjectIndex = OneValueRecord<std::uint16_t, kWmfParams>;

// SETBKCOLOR, SETTEXTCOLOR and SETMAPPERFLAGS.
using MetaSetLong = OneValueRecord<std::uint32_t, kWmfParams>;

// RESTOREDC (a saved state: positive by depth, negative back from the latest) and
// SETTEXTCHAREXTRA (logical units after every character).
using MetaSigned = OneValueRecord<std::int16_t, kWmfParams>;

// PATBLT: a rectangle filled by a raster operation without a source.
struct MetaPatBlt {
    std::uint32_t rop = 0;
    std::int16_t height = 0, width = 0, y = 0, x = 0;
    static MetaPatBlt Read(const RecordReader& r);
};

// POLYGON and POLYLINE: the points as they stand, 16-bit x and y each. A negative count fails
// the read.
struct MetaPoly {
    std::span<const std::uint8_t> points;
    static MetaPoly Read(const RecordReader& r);
};

// POLYPOLYGON: the points of every polygon one after the other, and how many each has; more
// points than the poly limit fail the read.
struct MetaPolyPolygon {
    std::vector<std::uint16_t> counts;
    std::span<const std::uint8_t> points;
    static MetaPolyPolygon Read(const RecordReader& r);
};

// FILLREGION, FRAMEREGION, INVERTREGION and PAINTREGION: the region's slot, and the brush's
// and the frame's stroke of the records that have them.
struct MetaRegionDraw {
    std::uint16_t region = 0, brush = 0;
    std::int16_t width = 0, height = 0;
    static MetaRegionDraw Read(const RecordReader& r);
};

// CREATEREGION: the bounds and the rectangles of the scans, logical units. A scan cut short by
// the record's end ends the reading; at most the region-rectangle limit are read.
struct MetaCreateRegion {
    RECT bounds;
    std::vector<RECT> rects;
    static MetaCreateRegion Read(const RecordReader& r);
};

// TEXTOUT and EXTTEXTOUT: the rectangle and the options only in the second, the advances when
// the record has room for them. A negative length fails the read.
struct MetaExtTextOut {
    POINT reference;
    std::uint16_t options = 0;
    bool hasRect = false;
    RECT rect;
    std::span<const std::uint8_t> chars;
    std::vector<std::int32_t> dx;
    static MetaExtTextOut Read(const RecordReader& r);
};

// STRETCHDIB: the raster operation, the colour usage, the source and destination rectangles and
// the packed DIB.
struct MetaStretchDib {
    std::uint32_t rop = 0;
    std::uint16_t usage = 0;
    std::int16_t srcHeight = 0, srcWidth = 0, ySrc = 0, xSrc = 0, destHeight = 0, destWidth = 0, yDest = 0, xDest = 0;
    std::span<const std::uint8_t> dib;
    static MetaStretchDib Read(const RecordReader& r);
};

// SETDIBTODEV: the colour usage, the scan lines the DIB holds, source, destination and the DIB.
struct MetaSetDibToDev {
    std::uint16_t usage = 0, scans = 0, startScan = 0;
    std::int16_t ySrc = 0, xSrc = 0, height = 0, width = 0, yDest = 0, xDest = 0;
    std::span<const std::uint8_t> dib;
    static MetaSetDibToDev Read(const RecordReader& r);
};

// BITBLT, STRETCHBLT and their DIB forms: the raster operation, the source (its size only in the
// stretching records), the destination, and the bitmap unless the record is of the form without
// one: a packed DIB, or in BITBLT and STRETCHBLT a Bitmap16 (10-byte header, then the rows).
struct MetaBlt {
    std::uint32_t rop = 0;
    std::int16_t srcHeight = 0, srcWidth = 0, ySrc = 0, xSrc = 0, destHeight = 0, destWidth = 0, yDest = 0, xDest = 0;
    bool hasBitmap = false;
    std::span<const std::uint8_t> bitmap;
    static MetaBlt Read(const RecordReader& r);
};

// DIBCREATEPATTERNBRUSH: the brush style (BS_PATTERN, or else a DIB pattern), the colour usage
// and the packed DIB.
struct MetaDibCreatePatternBrush {
    std::uint16_t style = 0, usage = 0;
    std::span<const std::uint8_t> dib;
    static MetaDibCreatePatternBrush Read(const RecordReader& r);
};

// CREATEPATTERNBRUSH: a Bitmap16 header (its pointer field and reserved bytes passed over) and
// the rows.
struct MetaCreatePatternBrush {
    std::span<const std::uint8_t> header;  // 10 bytes
    std::span<const std::uint8_t> bits;
    bool monochrome = false;  // one plane of one bit per pixel
    static MetaCreatePatternBrush Read(const RecordReader& r);
};

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
