// Polygons, polylines and Bézier curves, in their 32-bit and 16-bit point forms.
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"
#include "platform/metafile/EmfRecordType.h"

namespace platform {

namespace {

constexpr std::uint32_t kMaxPolys = 1u << 16;

// The 16-bit forms differ from their twins only in the size of a point.
std::uint32_t WideType(std::uint32_t type) {
    switch (type) {
    case EMR_POLYBEZIER16: return EMR_POLYBEZIER;
    case EMR_POLYGON16: return EMR_POLYGON;
    case EMR_POLYLINE16: return EMR_POLYLINE;
    case EMR_POLYBEZIERTO16: return EMR_POLYBEZIERTO;
    case EMR_POLYLINETO16: return EMR_POLYLINETO;
    case EMR_POLYPOLYLINE16: return EMR_POLYPOLYLINE;
    case EMR_POLYPOLYGON16: return EMR_POLYPOLYGON;
    default: return type;
    }
}

std::vector<QPointF> ReadPoints(const RecordReader& r, std::size_t at, std::uint32_t count, bool small) {
    if (count > kMaxPolyPoints) throw BadRecord();
    const std::size_t size = small ? 4 : 8;
    r.Block(at, count, size);  // the whole array lies inside the record
    std::vector<QPointF> points;
    points.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const POINT p = small ? r.PointS(at + i * size) : r.PointL(at + i * size);
        points.emplace_back(p.x, p.y);
    }
    return points;
}

void AddBeziers(QPainterPath& path, const std::vector<QPointF>& points, std::size_t from) {
    for (std::size_t i = from; i + 2 < points.size(); i += 3) path.cubicTo(points[i], points[i + 1], points[i + 2]);
}

}  // namespace

void MetafilePlayer::DrawPoly(std::uint32_t type, const std::vector<QPointF>& points) {
    if (points.empty()) return;
    QPainterPath path;
    const bool continues = type == EMR_POLYLINETO || type == EMR_POLYBEZIERTO;
    path.moveTo(continues ? state_.position : points.front());
    if (type == EMR_POLYBEZIER) AddBeziers(path, points, 1);
    else if (type == EMR_POLYBEZIERTO) AddBeziers(path, points, 0);
    else
        for (std::size_t i = continues ? 0 : 1; i < points.size(); ++i) path.lineTo(points[i]);
    if (continues) state_.position = path.currentPosition();
    if (type == EMR_POLYGON) {
        path.closeSubpath();
        DrawShape(path, true, true);
    } else {
        DrawShape(path, false, true, continues);
    }
}

void MetafilePlayer::DrawPolyPoly(std::uint32_t type, const std::vector<QPointF>& points,
                                  const std::vector<std::uint32_t>& counts) {
    QPainterPath path;
    std::size_t next = 0;
    for (std::uint32_t n : counts) {
        if (n > points.size() - next) break;
        if (n == 0) continue;
        path.moveTo(points[next]);
        for (std::size_t i = 1; i < n; ++i) path.lineTo(points[next + i]);
        if (type == EMR_POLYPOLYGON) path.closeSubpath();
        next += n;
    }
    DrawShape(path, type == EMR_POLYPOLYGON, true);
}

bool MetafilePlayer::PlayPolyRecord(const RecordReader& r) {
    const std::uint32_t type = WideType(r.Type());
    const bool small = type != r.Type();
    switch (type) {
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO: DrawPoly(type, ReadPoints(r, 28, r.U32(24), small)); return true;
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON: {
        const std::uint32_t polys = r.U32(24);
        if (polys > kMaxPolys) return true;
        const auto countBytes = r.Block(32, polys, 4);
        std::vector<std::uint32_t> counts(polys);
        for (std::uint32_t i = 0; i < polys; ++i) counts[i] = r.U32(32 + 4 * std::size_t(i));
        (void)countBytes;
        DrawPolyPoly(type, ReadPoints(r, 32 + 4 * std::size_t(polys), r.U32(28), small), counts);
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
