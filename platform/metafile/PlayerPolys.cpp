// Polygons, polylines and Bézier curves, in their 32-bit and 16-bit point forms.
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfShapeRecords.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

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

QPointF At(const POINT& p) { return QPointF(p.x, p.y); }

void AddBeziers(QPainterPath& path, const std::vector<POINT>& points, std::size_t from) {
    for (std::size_t i = from; i + 2 < points.size(); i += 3)
        path.cubicTo(At(points[i]), At(points[i + 1]), At(points[i + 2]));
}

}  // namespace

void MetafilePlayer::DrawPoly(std::uint32_t type, const std::vector<POINT>& points) {
    if (points.empty()) return;
    QPainterPath path;
    const bool continues = type == EMR_POLYLINETO || type == EMR_POLYBEZIERTO;
    path.moveTo(continues ? state_.position : At(points.front()));
    if (type == EMR_POLYBEZIER) AddBeziers(path, points, 1);
    else if (type == EMR_POLYBEZIERTO) AddBeziers(path, points, 0);
    else
        for (std::size_t i = continues ? 0 : 1; i < points.size(); ++i) path.lineTo(At(points[i]));
    if (continues) state_.position = path.currentPosition();
    if (type == EMR_POLYGON) {
        path.closeSubpath();
        DrawShape(path, true, true);
    } else {
        DrawShape(path, false, true, continues);
    }
}

// Figures whose count would reach past the points end the record.
void MetafilePlayer::DrawPolyPoly(std::uint32_t type, const EmrPolyPoly& record) {
    const std::vector<POINT>& points = record.points;
    QPainterPath path;
    std::size_t next = 0;
    for (std::uint32_t n : record.counts) {
        if (n > points.size() - next) break;
        if (n == 0) continue;
        path.moveTo(At(points[next]));
        for (std::size_t i = 1; i < n; ++i) path.lineTo(At(points[next + i]));
        if (type == EMR_POLYPOLYGON) path.closeSubpath();
        next += n;
    }
    DrawShape(path, type == EMR_POLYPOLYGON, true);
}

bool MetafilePlayer::PlayPolyRecord(const RecordReader& r) {
    const std::uint32_t type = WideType(r.Type());
    switch (type) {
    case EMR_POLYBEZIER:
    case EMR_POLYGON:
    case EMR_POLYLINE:
    case EMR_POLYBEZIERTO:
    case EMR_POLYLINETO: DrawPoly(type, EmrPoly::Read(r).points); return true;
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYGON: DrawPolyPoly(type, EmrPolyPoly::Read(r)); return true;
    default: return false;
    }
}

}  // namespace platform
