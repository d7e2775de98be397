// Regions of records in output pixels.
#include "platform/metafile/RegionData.h"

#include <algorithm>
#include <cmath>

#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/RegionRects.h"

namespace platform {

QRegion RegionOf(const QRectF& rect, const QTransform& t) {
    const QRectF box = t.mapRect(rect);
    for (double v : {box.left(), box.top(), box.right(), box.bottom()})
        if (!std::isfinite(v) || std::abs(v) > kMaxOutputCoordinate) return QRegion();
    if (t.m12() == 0 && t.m21() == 0) {
        const QPoint a(int(std::lround(box.left())), int(std::lround(box.top())));
        const QPoint b(int(std::lround(box.right())), int(std::lround(box.bottom())));
        return QRegion(QRect(a, b - QPoint(1, 1)));
    }
    return QRegion(t.mapToPolygon(rect.toRect()));
}

QRegion RegionFromData(const RecordReader& data, const QTransform& t) {
    QRegion region;
    for (const RECT& c : RegionRects(data))
        region += RegionOf(QRectF(QPointF(c.left, c.top), QPointF(c.right, c.bottom)).normalized(), t);
    return region;
}

}  // namespace platform
