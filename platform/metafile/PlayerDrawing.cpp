// Pens, brushes and the raster mode turned into QPainter settings; shapes filled and outlined.
#include <cmath>

#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

constexpr std::uint32_t PS_ENDCAP_SQUARE = 0x100, PS_ENDCAP_FLAT = 0x200, PS_JOIN_BEVEL = 0x1000,
                        PS_JOIN_MITER = 0x2000, PS_USERSTYLE = 7, PS_ALTERNATE = 8;
constexpr std::uint32_t kPaletteIndexFlag = 0x01000000;

Qt::PenStyle DashStyle(std::uint32_t style) {
    switch (style & 0xF) {
    case PS_DASH: return Qt::DashLine;
    case PS_DOT:
    case PS_ALTERNATE: return Qt::DotLine;
    case PS_DASHDOT: return Qt::DashDotLine;
    case PS_DASHDOTDOT: return Qt::DashDotDotLine;
    case PS_NULL: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

Qt::BrushStyle HatchStyle(int hatch) {
    switch (hatch) {
    case HS_HORIZONTAL: return Qt::HorPattern;
    case HS_VERTICAL: return Qt::VerPattern;
    case HS_FDIAGONAL: return Qt::FDiagPattern;
    case HS_BDIAGONAL: return Qt::BDiagPattern;
    case HS_CROSS: return Qt::CrossPattern;
    case HS_DIAGCROSS: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

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

// A black-and-white pattern with black made `zero` and white made `one`.
QImage Recoloured(const QImage& pattern, const QColor& zero, const QColor& one) {
    QImage image = pattern.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) row[x] = qGray(row[x]) < 128 ? zero.rgb() : one.rgb();
    }
    return image;
}

}  // namespace

QColor MetafilePlayer::ToColor(COLORREF color) const {
    if ((color & 0xFF000000u) == kPaletteIndexFlag && state_.palette) {
        const auto& entries = state_.palette->entries;
        const std::size_t i = color & 0xFFFF;
        if (i < entries.size()) return QColor(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
    }
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QPen MetafilePlayer::OutputPen() const {
    const MetaPen& p = *state_.pen;
    const Qt::PenStyle style = DashStyle(p.style);
    if (style == Qt::NoPen) return QPen(Qt::NoPen);
    QColor color = ToColor(p.color);
    if (state_.rop2 == 1) color = Qt::black;
    if (state_.rop2 == 16) color = Qt::white;
    const double width = p.geometric ? std::round(p.width * OutputScale()) : 0;
    QPen pen(color, width > 1 ? width : 0, style);
    if (width > 1) {
        pen.setCapStyle((p.style & PS_ENDCAP_FLAT)     ? Qt::FlatCap
                        : (p.style & PS_ENDCAP_SQUARE) ? Qt::SquareCap
                                                       : Qt::RoundCap);
        pen.setJoinStyle((p.style & PS_JOIN_MITER)   ? Qt::MiterJoin
                         : (p.style & PS_JOIN_BEVEL) ? Qt::BevelJoin
                                                     : Qt::RoundJoin);
    }
    if ((p.style & 0xF) == PS_USERSTYLE && !p.dashes.empty() && p.width > 0) {
        QList<qreal> pattern;
        for (double d : p.dashes) pattern << std::max(d / p.width, 0.1);
        if (pattern.size() % 2) pattern << pattern.back();
        pen.setDashPattern(pattern);
    }
    return pen;
}

QBrush MetafilePlayer::OutputBrush() const {
    const MetaBrush& b = *state_.brush;
    switch (b.style) {
    case BS_NULL: return QBrush(Qt::NoBrush);
    case BS_HATCHED: return QBrush(ToColor(b.color), HatchStyle(b.hatch));
    case BS_PATTERN:
        if (b.pattern.isNull()) return QBrush(Qt::NoBrush);
        return b.monochrome ? QBrush(Recoloured(b.pattern, ToColor(state_.textColor), ToColor(state_.bkColor)))
                            : QBrush(b.pattern);
    default:
        if (state_.rop2 == 1) return QBrush(Qt::black);
        if (state_.rop2 == 16) return QBrush(Qt::white);
        return QBrush(ToColor(b.color));
    }
}

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
