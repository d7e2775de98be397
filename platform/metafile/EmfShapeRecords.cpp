// Reading the enhanced shape, poly, region and gradient records' fields at their offsets.
#include "platform/metafile/EmfShapeRecords.h"

#include <algorithm>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/MetafileLimits.h"

namespace platform {

namespace {

constexpr std::uint32_t kMaxPolys = 1u << 16;
constexpr std::uint32_t GRADIENT_FILL_TRIANGLE = 2;
constexpr std::size_t kVertexBytes = 16;
constexpr std::uint32_t kMaxGradientItems = 1u << 16;

std::vector<POINT> ReadPoints(const RecordReader& r, std::size_t at, std::uint32_t count, bool small) {
    if (count > kMaxPolyPoints) throw BadRecord();
    const std::size_t size = small ? 4 : 8;
    r.Block(at, count, size);  // the whole array lies inside the record
    std::vector<POINT> points;
    points.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        points.push_back(small ? r.PointS(at + i * size) : r.PointL(at + i * size));
    return points;
}

// x, y, then red, green and blue as 16-bit values (and an unused alpha).
TriVertex ReadVertex(const RecordReader& r, std::size_t at) {
    return TriVertex{r.PointL(at), r.U16(at + 8), r.U16(at + 10), r.U16(at + 12)};
}

}  // namespace

EmrAngleArc EmrAngleArc::Read(const RecordReader& r) { return {r.PointL(8), r.U32(16), r.F32(20), r.F32(24)}; }

bool SmallPoints(std::uint32_t type) { return type >= EMR_POLYBEZIER16 && type <= EMR_POLYPOLYGON16; }

EmrPoly EmrPoly::Read(const RecordReader& r) { return {ReadPoints(r, 28, r.U32(24), SmallPoints(r.Type()))}; }

EmrPolyPoly EmrPolyPoly::Read(const RecordReader& r) {
    const std::uint32_t polys = r.U32(24);
    if (polys > kMaxPolys) throw BadRecord();
    r.Block(32, polys, 4);
    EmrPolyPoly p;
    for (std::uint32_t i = 0; i < polys; ++i) p.counts.push_back(r.U32(32 + 4 * std::size_t(i)));
    p.points = ReadPoints(r, 32 + 4 * std::size_t(polys), r.U32(28), SmallPoints(r.Type()));
    return p;
}

EmrRegion EmrRegion::Read(const RecordReader& r) {
    const std::uint32_t type = r.Type();
    const std::size_t dataAt = type == EMR_FRAMERGN ? 40 : type == EMR_FILLRGN ? 32 : 28;
    EmrRegion region{r.Block(dataAt, r.U32(24), 1), 0, 0, 0};
    if (type == EMR_FILLRGN || type == EMR_FRAMERGN) region.ihBrush = r.U32(28);
    if (type == EMR_FRAMERGN) region.width = r.I32(32), region.height = r.I32(36);
    return region;
}

EmrGradientFill EmrGradientFill::Read(const RecordReader& r) {
    const std::uint32_t vertices = r.U32(24), items = std::min(r.U32(28), kMaxGradientItems);
    EmrGradientFill g{r.U32(32), {}, {}};
    r.Block(36, vertices, kVertexBytes);
    for (std::uint32_t i = 0; i < vertices; ++i)
        g.vertices.push_back(ReadVertex(r, 36 + std::size_t(i) * kVertexBytes));
    const std::size_t itemsAt = 36 + std::size_t(vertices) * kVertexBytes;
    const std::size_t corners = std::size_t(items) * g.CornersPerItem();
    const RecordReader list(r.Block(itemsAt, corners, 4));
    for (std::size_t i = 0; i < corners; ++i) {
        g.corners.push_back(list.U32(4 * i));
        if (g.corners.back() >= vertices) throw BadRecord();
    }
    return g;
}

std::size_t EmrGradientFill::CornersPerItem() const { return mode == GRADIENT_FILL_TRIANGLE ? 3 : 2; }

}  // namespace platform
