#pragma once
// Records that are the same in both formats but for the width and order of their fields: their
// counterparts, which the conversions in both directions look up, and their fields, read once
// from either format (`FromEmf`, `FromWmf`) through the checked RecordReader.

#include <cstdint>
#include <span>

#include "platform/GdiTypes.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/RecordReader.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

// MOVETO(EX), LINETO, OFFSETCLIPRGN, and the window and viewport origins and extents (an
// extent's cx and cy, an offset's dx and dy).
struct PointRecord {
    POINT point;
    static PointRecord FromEmf(const RecordReader& r);
    static PointRecord FromWmf(const RecordReader& r);
};

// SCALEWINDOWEXT(EX) and SCALEVIEWPORTEXT(EX): extent × num ÷ denom on each axis.
struct ScaleExtRecord {
    std::int32_t xNum = 0, xDenom = 0, yNum = 0, yDenom = 0;
    static ScaleExtRecord FromEmf(const RecordReader& r);
    static ScaleExtRecord FromWmf(const RecordReader& r);
};

// RECTANGLE, ELLIPSE, INTERSECTCLIPRECT and EXCLUDECLIPRECT: one box, logical units.
struct BoxRecord {
    RECT box;
    static BoxRecord FromEmf(const RecordReader& r);
    static BoxRecord FromWmf(const RecordReader& r);
};

struct RoundRectRecord {
    RECT box;
    std::int32_t cornerWidth = 0, cornerHeight = 0;
    static RoundRectRecord FromEmf(const RecordReader& r);
    static RoundRectRecord FromWmf(const RecordReader& r);
};

// ARC, CHORD, PIE (and the enhanced ARCTO): the ellipse's box and the points its rays go through.
struct ArcRecord {
    RECT box;
    POINT start, end;
    static ArcRecord FromEmf(const RecordReader& r);
    static ArcRecord FromWmf(const RecordReader& r);
};

// SETPIXELV (SETPIXEL).
struct PixelRecord {
    POINT pixel;
    COLORREF color = 0;
    static PixelRecord FromEmf(const RecordReader& r);
    static PixelRecord FromWmf(const RecordReader& r);
};

// EXTFLOODFILL, and the Windows FLOODFILL, which fills to a border of the colour (mode 0).
struct FloodFillRecord {
    POINT start;
    COLORREF color = 0;
    std::uint32_t mode = 0;  // FLOODFILLBORDER or FLOODFILLSURFACE
    static FloodFillRecord FromEmf(const RecordReader& r);
    static FloodFillRecord FromWmf(const RecordReader& r);
};

struct RecordPair {
    EmfRecordType emr;
    WmfRecordType meta;
};

// One mode: the enhanced record's 32-bit value, the Windows record's one word.
inline constexpr RecordPair kModeRecords[] = {{EMR_SETMAPMODE, META_SETMAPMODE},
                                              {EMR_SETBKMODE, META_SETBKMODE},
                                              {EMR_SETPOLYFILLMODE, META_SETPOLYFILLMODE},
                                              {EMR_SETROP2, META_SETROP2},
                                              {EMR_SETSTRETCHBLTMODE, META_SETSTRETCHBLTMODE},
                                              {EMR_SETTEXTALIGN, META_SETTEXTALIGN},
                                              {EMR_SETLAYOUT, META_SETLAYOUT}};

// One 32-bit value in both: colours and mapper flags.
inline constexpr RecordPair kLongRecords[] = {{EMR_SETBKCOLOR, META_SETBKCOLOR},
                                              {EMR_SETTEXTCOLOR, META_SETTEXTCOLOR},
                                              {EMR_SETMAPPERFLAGS, META_SETMAPPERFLAGS}};

// One point or extent, which Windows records keep y first. (Windows metafiles also offset the
// origins, which their conversion handles before it looks here.)
inline constexpr RecordPair kPointRecords[] = {{EMR_SETWINDOWEXTEX, META_SETWINDOWEXT},
                                               {EMR_SETVIEWPORTEXTEX, META_SETVIEWPORTEXT},
                                               {EMR_SETWINDOWORGEX, META_SETWINDOWORG},
                                               {EMR_SETVIEWPORTORGEX, META_SETVIEWPORTORG},
                                               {EMR_MOVETOEX, META_MOVETO},
                                               {EMR_LINETO, META_LINETO},
                                               {EMR_OFFSETCLIPRGN, META_OFFSETCLIPRGN}};

// Extents scaled by two fractions.
inline constexpr RecordPair kScaleRecords[] = {{EMR_SCALEWINDOWEXTEX, META_SCALEWINDOWEXT},
                                               {EMR_SCALEVIEWPORTEXTEX, META_SCALEVIEWPORTEXT}};

// One box, which Windows records keep bottom, right, top, left.
inline constexpr RecordPair kBoxRecords[] = {{EMR_RECTANGLE, META_RECTANGLE},
                                             {EMR_ELLIPSE, META_ELLIPSE},
                                             {EMR_INTERSECTCLIPRECT, META_INTERSECTCLIPRECT},
                                             {EMR_EXCLUDECLIPRECT, META_EXCLUDECLIPRECT}};

// A box and two ray points.
inline constexpr RecordPair kArcRecords[] = {{EMR_ARC, META_ARC}, {EMR_CHORD, META_CHORD}, {EMR_PIE, META_PIE}};

// A region drawn: filled, framed, inverted or painted.
inline constexpr RecordPair kRegionRecords[] = {{EMR_FILLRGN, META_FILLREGION},
                                                {EMR_FRAMERGN, META_FRAMEREGION},
                                                {EMR_INVERTRGN, META_INVERTREGION},
                                                {EMR_PAINTRGN, META_PAINTREGION}};

// The Windows function of an enhanced record in `pairs`; 0 when it is not there.
inline std::uint16_t MetaFor(std::span<const RecordPair> pairs, std::uint32_t emr) {
    for (const RecordPair& p : pairs)
        if (p.emr == emr) return p.meta;
    return 0;
}

// The enhanced type of a Windows record in `pairs`; 0 when it is not there.
inline std::uint32_t EmrFor(std::span<const RecordPair> pairs, std::uint16_t meta) {
    for (const RecordPair& p : pairs)
        if (p.meta == meta) return p.emr;
    return 0;
}

}  // namespace platform
