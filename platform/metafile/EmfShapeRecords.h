#pragma once
// Enhanced-metafile shape, poly, region and gradient records read into named fields, once,
// through the checked RecordReader; the player and the conversion to Windows metafiles both
// start from these. A record whose arrays do not fit it, or exceed their limits, fails the read
// with BadRecord and is skipped whole. Those Windows metafiles have too are in RecordPairs.h.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/GdiTypes.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

struct EmrAngleArc {
    POINT center;
    std::uint32_t radius = 0;
    float startAngle = 0, sweepAngle = 0;  // degrees
    static EmrAngleArc Read(const RecordReader& r);
};

// POLYBEZIER, POLYGON, POLYLINE, POLYBEZIERTO and POLYLINETO, with 32-bit or (the ...16 forms)
// 16-bit points.
struct EmrPoly {
    std::vector<POINT> points;
    static EmrPoly Read(const RecordReader& r);
};

// POLYPOLYLINE and POLYPOLYGON and their 16-bit forms: the points of every figure, one after
// the other, and how many each has. The counts are as written: they may not add up.
struct EmrPolyPoly {
    std::vector<std::uint32_t> counts;
    std::vector<POINT> points;
    static EmrPolyPoly Read(const RecordReader& r);
};

// The 16-bit point forms of the poly records.
bool SmallPoints(std::uint32_t type);

// FILLRGN, FRAMERGN, INVERTRGN and PAINTRGN: the RegionData block, and the brush and frame
// stroke of the records that have them.
struct EmrRegion {
    std::span<const std::uint8_t> rgnData;
    std::uint32_t ihBrush = 0;           // FILLRGN and FRAMERGN
    std::int32_t width = 0, height = 0;  // FRAMERGN
    static EmrRegion Read(const RecordReader& r);
};

struct TriVertex {
    POINT point;
    std::uint16_t red = 0, green = 0, blue = 0;  // the colour is the high byte
};

// GRADIENTFILL: the vertices and the rectangles or triangles as the indexes of their corners,
// one item after the other, every one of them a vertex.
struct EmrGradientFill {
    std::uint32_t mode = 0;  // GRADIENT_FILL_RECT_H, _RECT_V or _TRIANGLE
    std::vector<TriVertex> vertices;
    std::vector<std::uint32_t> corners;
    std::size_t CornersPerItem() const;  // three for triangles, two for rectangles
    static EmrGradientFill Read(const RecordReader& r);
};

}  // namespace platform
