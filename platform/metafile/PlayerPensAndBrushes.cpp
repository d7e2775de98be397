// Pens and brushes: made from their records, and turned into QPainter pens and brushes with the
// colours in force when they draw.
#include <cmath>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfRecords.h"
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

std::shared_ptr<const MetaBrush> BrushOf(const EmrCreateBrushIndirect& record) {
    auto brush = std::make_shared<MetaBrush>();
    brush->style = record.style;
    brush->color = record.color;
    brush->hatch = int(record.hatch);
    return brush;
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

// A monochrome brush is kept black for 0 bits and white for 1 bits and coloured when it paints.
void MetafilePlayer::CreateDibBrush(const EmrCreateDibPatternBrush& record, const RecordReader& r) {
    auto brush = std::make_shared<MetaBrush>();
    brush->style = BS_PATTERN;
    brush->monochrome = record.Monochrome(r);
    brush->pattern = brush->monochrome ? DibFromRecord(r, record.dib, 0x000000, 0xFFFFFF, bitmaps_, true)
                                       : DibFromRecord(r, record.dib, state_.textColor, state_.bkColor, bitmaps_);
    if (brush->pattern.isNull()) brush->style = BS_SOLID, brush->color = 0x808080;
    CreateObject(record.ihBrush, std::shared_ptr<const MetaBrush>(brush));
}

bool MetafilePlayer::PlayPenAndBrushRecord(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_CREATEPEN: {
        const EmrCreatePen record = EmrCreatePen::Read(r);
        CreateObject(record.ihPen, std::make_shared<const MetaPen>(PenOf(record)));
        return true;
    }
    case EMR_EXTCREATEPEN: {
        const EmrExtCreatePen record = EmrExtCreatePen::Read(r);
        CreateObject(record.ihPen, std::make_shared<const MetaPen>(PenOf(record)));
        return true;
    }
    case EMR_CREATEBRUSHINDIRECT: {
        const EmrCreateBrushIndirect record = EmrCreateBrushIndirect::Read(r);
        CreateObject(record.ihBrush, BrushOf(record));
        return true;
    }
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT: CreateDibBrush(EmrCreateDibPatternBrush::Read(r), r); return true;
    default: return false;
    }
}

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

}  // namespace platform
