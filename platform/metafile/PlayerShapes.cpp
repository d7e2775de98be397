// Rectangles, ellipses, round rectangles, arcs, chords, pies, lines to a point and single pixels.
#include <cmath>
#include <numbers>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfShapeRecords.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

// Angle of a point seen from the centre of a box, in Qt's degrees (counter-clockwise with y up).
double QtAngle(const QRectF& box, const POINT& p) {
    const QPointF c = box.center();
    // The box may be stretched: measure on the ellipse's own scale, as GDI does with its rays.
    const double dx = (p.x - c.x()) / std::max(box.width(), 1e-9);
    const double dy = (p.y - c.y()) / std::max(box.height(), 1e-9);
    return std::atan2(-dy, dx) * 180 / std::numbers::pi;
}

}  // namespace

QRectF MetafilePlayer::ShapeBox(const RECT& box) const {
    return QRectF(QPointF(box.left, box.top), QPointF(box.right, box.bottom)).normalized();
}

void MetafilePlayer::LineTo(const QPointF& point) {
    QPainterPath line(state_.position);
    line.lineTo(point);
    state_.position = point;
    DrawShape(line, false, true, true);
}

// Arc, chord, pie and arc-to share a box and two ray points. With y pointing down on the page
// (the usual case) GDI's counter-clockwise is Qt's counter-clockwise on screen too.
void MetafilePlayer::DrawArcFamily(const ArcRecord& arc, std::uint32_t kind) {
    const QRectF box = ShapeBox(arc.box);
    const double start = QtAngle(box, arc.start);
    double end = QtAngle(box, arc.end);
    const QTransform t = LogicalToOutput();
    const bool flipped = t.m11() * t.m22() - t.m12() * t.m21() < 0;  // y up on the page
    const bool clockwise = (state_.arcDirection == AD_CLOCKWISE) != flipped;
    double sweep = end - start;
    if (clockwise) {
        while (sweep >= 0) sweep -= 360;
    } else {
        while (sweep <= 0) sweep += 360;
    }
    QPainterPath path;
    if (kind == EMR_PIE) path.moveTo(box.center());
    else if (kind == EMR_ARCTO) path.moveTo(state_.position);
    else path.arcMoveTo(box, start);
    path.arcTo(box, start, sweep);
    if (kind == EMR_PIE || kind == EMR_CHORD) path.closeSubpath();
    if (kind == EMR_ARCTO) state_.position = path.currentPosition();
    const bool closed = kind == EMR_PIE || kind == EMR_CHORD;
    DrawShape(path, closed, true, kind == EMR_ARCTO);
}

void MetafilePlayer::AngleArc(const EmrAngleArc& arc) {
    const POINT c = arc.center;
    const double radius = arc.radius, start = arc.startAngle, sweep = arc.sweepAngle;
    if (!std::isfinite(start) || !std::isfinite(sweep)) return;
    const QRectF box(c.x - radius, c.y - radius, 2 * radius, 2 * radius);
    QPainterPath path(state_.position);
    path.arcTo(box, start, std::fmod(sweep, 3600.0));
    state_.position = path.currentPosition();
    DrawShape(path, false, true, true);
}

void MetafilePlayer::SetPixel(POINT p, COLORREF color) {
    const QPointF out = LogicalToOutput().map(QPointF(p.x, p.y));
    if (!std::isfinite(out.x()) || !std::isfinite(out.y())) return;
    // A pixel is set as it is, whatever raster operation the drawing before it used.
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.fillRect(QRectF(std::floor(out.x()), std::floor(out.y()), 1, 1), ToColor(color));
}

bool MetafilePlayer::PlayShapeRecord(const RecordReader& r) {
    QPainterPath path;
    switch (r.Type()) {
    case EMR_RECTANGLE: path.addRect(ShapeBox(BoxRecord::FromEmf(r).box)); break;
    case EMR_ELLIPSE: path.addEllipse(ShapeBox(BoxRecord::FromEmf(r).box)); break;
    case EMR_ROUNDRECT: {
        const RoundRectRecord round = RoundRectRecord::FromEmf(r);
        path.addRoundedRect(ShapeBox(round.box), std::abs(double(round.cornerWidth)) / 2,
                            std::abs(double(round.cornerHeight)) / 2);
        break;
    }
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE:
    case EMR_ARCTO: DrawArcFamily(ArcRecord::FromEmf(r), r.Type()); return true;
    case EMR_ANGLEARC: AngleArc(EmrAngleArc::Read(r)); return true;
    case EMR_GRADIENTFILL: DrawGradient(EmrGradientFill::Read(r)); return true;
    case EMR_LINETO: {
        const POINT p = PointRecord::FromEmf(r).point;
        LineTo(QPointF(p.x, p.y));
        return true;
    }
    case EMR_SETPIXELV: {
        const PixelRecord pixel = PixelRecord::FromEmf(r);
        SetPixel(pixel.pixel, pixel.color);
        return true;
    }
    default: return false;
    }
    DrawShape(path, true, true);
    return true;
}

}  // namespace platform
