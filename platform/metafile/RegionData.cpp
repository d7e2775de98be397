// RegionData blocks: a 32-byte header whose third value counts the rectangles after it.
#include "platform/metafile/RegionData.h"

#include <algorithm>
#include <cmath>

#include "platform/metafile/MetafileLimits.h"

namespace platform {

namespace {

constexpr std::size_t kRegionHeaderBytes = 32, kRectBytes = 16;

}  // namespace

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
    const std::uint32_t count = std::min(data.U32(8), kMaxRegionRects);
    QRegion region;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = kRegionHeaderBytes + kRectBytes * std::size_t(i);
        if (at + kRectBytes > data.Size()) break;
        const RECT c = data.RectL(at);
        region += RegionOf(QRectF(QPointF(c.left, c.top), QPointF(c.right, c.bottom)).normalized(), t);
    }
    return region;
}

}  // namespace platform
