// PlgBlt: a source rectangle of the record's bitmap drawn onto a parallelogram given by where
// its upper-left, upper-right and lower-left corners go; an optional monochrome mask keeps the
// destination where it is 0.
#include <cmath>

#include "platform/metafile/DibImage.h"
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

// Source pixel coordinates to logical units: (xs, ys) goes to p0, one source width on to p1,
// one source height down to p2.
QTransform SourceToCorners(const QRectF& source, const QPointF& p0, const QPointF& p1, const QPointF& p2) {
    const QPointF u = (p1 - p0) / source.width(), v = (p2 - p0) / source.height();
    return QTransform(u.x(), u.y(), v.x(), v.y(), p0.x() - source.left() * u.x() - source.top() * v.x(),
                      p0.y() - source.left() * u.y() - source.top() * v.y());
}

}  // namespace

void MetafilePlayer::DrawParallelogram(const RecordReader& r) {
    if (recording_) return;
    const EmrPlgBlt p = EmrPlgBlt::Read(r);
    const QImage bitmap = DibFromRecord(r, p.dib, state_.textColor, state_.bkColor, bitmaps_);
    if (bitmap.isNull()) return;
    const QRectF source(p.xSrc, p.ySrc, p.cxSrc, p.cySrc);
    if (source.width() == 0 || source.height() == 0) return;
    const auto corner = [&](int i) { return QPointF(p.corners[i].x, p.corners[i].y); };
    const QTransform t = SourceToCorners(source, corner(0), corner(1), corner(2)) * LogicalToOutput();
    if (!std::isfinite(t.determinant()) || std::abs(t.determinant()) < 1e-12) return;
    // Only the part of the source inside the bitmap is drawn, and masked.
    const QRect inside = source.normalized().intersected(QRectF(bitmap.rect())).toAlignedRect();
    if (inside.isEmpty()) return;
    QPainterPath outline;
    outline.addRect(inside);
    if (!Drawable(t.map(outline))) return;
    QImage image = bitmap.copy(inside);
    if (image.hasAlphaChannel()) image.reinterpretAsFormat(QImage::Format_RGB32);
    if (p.hasMask) {
        const QImage mask = DibFromRecord(r, p.mask, 0x000000, 0xFFFFFF, bitmaps_);
        const QPoint offset = MaskOffset(p.xMask, p.yMask, p.xSrc, p.ySrc);
        if (!mask.isNull()) MaskOut(image, mask, offset + inside.topLeft());
    }
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setTransform(t);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, state_.stretchMode == HALFTONE);
    painter_.drawImage(QRectF(inside), image);
    painter_.restore();
    clipDirty_ = true;
}

}  // namespace platform
