// The raster mode turned into QPainter settings; shapes filled and outlined with the pen and brush.
#include <cmath>

#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

// The binary raster operations QPainter has; the others draw as plain copies.
QPainter::CompositionMode Rop2Mode(int rop2) {
    switch (rop2) {
    case 3: return QPainter::RasterOp_NotSourceAndDestination;
    case 4: return QPainter::RasterOp_NotSource;
    case 5: return QPainter::RasterOp_SourceAndNotDestination;
    case 6: return QPainter::RasterOp_NotDestination;
    case 7: return QPainter::RasterOp_SourceXorDestination;
    case 8: return QPainter::RasterOp_NotSourceOrNotDestination;
    case 9: return QPainter::RasterOp_SourceAndDestination;
    case 10: return QPainter::RasterOp_NotSourceXorDestination;
    case 12: return QPainter::RasterOp_NotSourceOrDestination;
    case 14: return QPainter::RasterOp_SourceOrNotDestination;
    case 15: return QPainter::RasterOp_SourceOrDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

}  // namespace

void MetafilePlayer::ApplyRop2() { painter_.setCompositionMode(Rop2Mode(state_.rop2)); }

// Shapes with non-finite or enormous output coordinates are not drawn: they would draw nothing
// sensible and make the rasteriser work for nothing.
bool MetafilePlayer::Drawable(const QPainterPath& output) const {
    const QRectF box = output.controlPointRect();
    for (double v : {box.left(), box.top(), box.right(), box.bottom()})
        if (!std::isfinite(v) || std::abs(v) > kMaxOutputCoordinate) return false;
    return state_.rop2 != 11;  // R2_NOP
}

void MetafilePlayer::FillOutput(const QPainterPath& output) {
    if (!Drawable(output)) return;
    const QBrush brush = OutputBrush();
    if (brush.style() == Qt::NoBrush) return;
    ApplyRop2();
    QPainterPath filled = output;
    filled.setFillRule(state_.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    // Hatches show the background colour between their lines when the background is opaque.
    if (state_.brush->style == BS_HATCHED && state_.bkMode == OPAQUE)
        painter_.fillPath(filled, ToColor(state_.bkColor));
    painter_.fillPath(filled, brush);
}

void MetafilePlayer::StrokeOutput(const QPainterPath& output) {
    if (!Drawable(output)) return;
    const QPen pen = OutputPen();
    if (pen.style() == Qt::NoPen) return;
    ApplyRop2();
    painter_.strokePath(output, pen);
}

void MetafilePlayer::DrawShape(const QPainterPath& logical, bool fill, bool stroke, bool continues) {
    if (recording_) {
        AddToPath(logical, continues);
        return;
    }
    const QPainterPath output = LogicalToOutput().map(logical);
    if (fill) FillOutput(output);
    if (stroke) StrokeOutput(output);
}

}  // namespace platform
