#pragma once
// Enhanced-metafile records read into named fields, once, through the checked RecordReader; the
// player and the conversion to Windows metafiles both start from these. A record too short for
// its fields fails the read with BadRecord and is skipped whole.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/GdiTypes.h"
#include "platform/metafile/DibFields.h"
#include "platform/metafile/MetaPen.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

struct EmrCreatePen {
    std::uint32_t ihPen = 0;
    std::uint32_t style = 0;
    std::int32_t width = 0;  // the x of the width point, logical units
    COLORREF color = 0;
    static EmrCreatePen Read(const RecordReader& r);
};

struct EmrExtCreatePen {
    std::uint32_t ihPen = 0;
    std::uint32_t style = 0;  // style, end cap, join and PS_GEOMETRIC
    std::uint32_t width = 0;
    std::uint32_t brushStyle = 0;
    COLORREF color = 0;
    std::vector<std::uint32_t> styleEntries;  // PS_USERSTYLE dash lengths, at most 16
    static EmrExtCreatePen Read(const RecordReader& r);
};

struct EmrCreateBrushIndirect {
    std::uint32_t ihBrush = 0;
    std::uint32_t style = 0;
    COLORREF color = 0;
    std::uint32_t hatch = 0;
    static EmrCreateBrushIndirect Read(const RecordReader& r);
};

// CREATEMONOBRUSH and CREATEDIBPATTERNBRUSHPT.
struct EmrCreateDibPatternBrush {
    std::uint32_t ihBrush = 0;
    std::uint32_t usage = 0;  // DIB_RGB_COLORS or DIB_PAL_COLORS
    DibFields dib{16};
    static EmrCreateDibPatternBrush Read(const RecordReader& r);
    // A monochrome brush, and a 1-bit DIB brush whose table holds palette indexes, take their
    // two colours from the drawing context when they paint, as a pattern made from a
    // monochrome bitmap does: 0 bits the text colour, 1 bits the background colour.
    bool Monochrome(const RecordReader& r) const;
};

struct LogFontW {
    std::int32_t height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
    std::uint8_t italic = 0, underline = 0, strikeOut = 0, charSet = 0, outPrecision = 0, clipPrecision = 0,
                 quality = 0, pitchAndFamily = 0;
    std::u16string face;  // up to 32 characters, without the terminating NUL
};

struct EmrExtCreateFontIndirectW {
    std::uint32_t ihFont = 0;
    LogFontW font;
    static EmrExtCreateFontIndirectW Read(const RecordReader& r);
};

struct EmrCreatePalette {
    std::uint32_t ihPal = 0;
    std::vector<PALETTEENTRY> entries;  // at most 256
    static EmrCreatePalette Read(const RecordReader& r);
};

// The EmrText block of the text records, at `at` in the record; offsets stay record-relative.
struct EmrText {
    POINT reference;
    std::uint32_t count = 0;  // held to the text limit
    std::uint32_t offString = 0;
    std::uint32_t options = 0;
    bool hasRect = false;  // no ETO_NO_RECT
    RECT rect;
    std::uint32_t offDx = 0;
    static EmrText Read(const RecordReader& r, std::size_t at);
    // SMALLTEXTOUT: reference, count, options, graphics mode, scales, the rectangle unless
    // ETO_NO_RECT, then the characters (8-bit with ETO_SMALL_CHARS); no advances.
    static EmrText ReadSmall(const RecordReader& r);
    // The characters: UTF-16 units, or bytes widened one to one.
    std::u16string Chars(const RecordReader& r, bool wide) const;
    // The advances along the baseline; none without an advance array. With ETO_PDY each
    // advance is followed by a vertical one, which is passed over.
    std::vector<std::int32_t> Advances(const RecordReader& r, bool pairs) const;
};

// POLYTEXTOUTA and POLYTEXTOUTW: the number of EmrText blocks, which follow from byte 40.
using EmrPolyTextOut = OneValueRecord<std::int32_t, 36>;

struct EmrStretchDibits {
    std::int32_t xDest = 0, yDest = 0, xSrc = 0, ySrc = 0, cxSrc = 0, cySrc = 0;
    DibFields dib{48};
    std::uint32_t usage = 0, rop = 0;
    std::int32_t cxDest = 0, cyDest = 0;
    static EmrStretchDibits Read(const RecordReader& r);
};

struct EmrSetDibitsToDevice {
    std::int32_t xDest = 0, yDest = 0, xSrc = 0, ySrc = 0, cxSrc = 0, cySrc = 0;
    DibFields dib{48};
    std::uint32_t usage = 0, startScan = 0, scans = 0;
    static EmrSetDibitsToDevice Read(const RecordReader& r);
};

// BITBLT, STRETCHBLT, MASKBLT, ALPHABLEND and TRANSPARENTBLT: the destination, the operation
// (for ALPHABLEND the blend function, for TRANSPARENTBLT the colour key) and the source bitmap;
// MASKBLT's mask too.
struct EmrBlt {
    std::int32_t xDest = 0, yDest = 0, cxDest = 0, cyDest = 0;
    std::uint32_t rop = 0;
    std::int32_t xSrc = 0, ySrc = 0;
    bool hasBitmap = false;
    DibFields dib{84};
    std::int32_t cxSrc = 0, cySrc = 0;  // the stretching records'; the destination's size otherwise
    std::int32_t xMask = 0, yMask = 0;  // MASKBLT: where the source's origin is in the mask
    DibFields mask{112};
    static EmrBlt Read(const RecordReader& r);
};

// PLGBLT: the source rectangle drawn onto the parallelogram of three corners (upper-left,
// upper-right, lower-left), and an optional monochrome mask.
struct EmrPlgBlt {
    POINT corners[3];
    std::int32_t xSrc = 0, ySrc = 0, cxSrc = 0, cySrc = 0;
    DibFields dib{96};
    std::int32_t xMask = 0, yMask = 0;
    bool hasMask = false;
    DibFields mask{124};
    static EmrPlgBlt Read(const RecordReader& r);
};

// The record's bitmap as its two blocks: header with colour table, and bits.
struct DibBlocks {
    std::span<const std::uint8_t> info, bits;
};
DibBlocks BlocksOf(const RecordReader& r, DibFields fields);

// The header, colour table and bits of the record's bitmap as one packed DIB.
std::vector<std::uint8_t> PackedDib(const RecordReader& r, DibFields fields);

// Bits per pixel of the record's bitmap; 0 when it has no header.
int DibBitCount(const RecordReader& r, DibFields fields);

// The pens the pen records make: width 0 is the one-pixel cosmetic pen, any other width is in
// logical units and scales with the mapping. An extended pen with a null brush draws nothing.
MetaPen PenOf(const EmrCreatePen& record);
MetaPen PenOf(const EmrExtCreatePen& record);

}  // namespace platform
