// Text records: the font made from the selected one at the output scale, the reference point
// placed by the alignment, each character at its Dx advance, rotated by the escapement.
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QRawFont>
#include <cmath>
#include <numbers>

#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"
#include "platform/metafile/SymbolFont.h"

namespace platform {

// One run of text as a record gives it, in logical units.
struct TextRun {
    QPointF reference;
    std::uint32_t options = 0;
    QRectF rect;
    QString text;
    std::vector<quint32> glyphs;  // with ETO_GLYPH_INDEX
    std::vector<double> dx;       // advances, empty when the font's own apply
};

namespace {

constexpr std::uint32_t EMR_EXTTEXTOUTA = 83, EMR_EXTTEXTOUTW = 84, EMR_POLYTEXTOUTA = 96, EMR_POLYTEXTOUTW = 97,
                        EMR_SMALLTEXTOUT = 108;
constexpr std::uint32_t ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4, ETO_GLYPH_INDEX = 0x10, ETO_NO_RECT = 0x100,
                        ETO_SMALL_CHARS = 0x200, ETO_PDY = 0x2000;
constexpr std::size_t kEmrTextSize = 40;
constexpr std::int32_t kMaxPolyTextStrings = 1024;
// A cell height (positive font height) holds the character height and the internal leading.
constexpr double kCellToEm = 0.85;

QFont::StyleHint StyleHintOf(std::uint8_t pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
    case 0x10: return QFont::Serif;
    case 0x20: return QFont::SansSerif;
    case 0x30: return QFont::Monospace;
    case 0x40: return QFont::Cursive;
    case 0x50: return QFont::Decorative;
    default: return QFont::AnyStyle;
    }
}

void ReadChars(const RecordReader& r, std::size_t at, std::uint32_t count, bool wide, TextRun& run) {
    const auto chars = r.Block(at, count, wide ? 2 : 1);
    for (std::uint32_t i = 0; i < count; ++i) {
        const char16_t c = wide ? char16_t(chars[2 * i] | (chars[2 * i + 1] << 8)) : char16_t(chars[i]);
        run.glyphs.push_back(c);
        run.text += QChar(c);
    }
}

// EmrText: reference, count, string offset, options, rectangle unless ETO_NO_RECT, advances.
TextRun ReadRun(const RecordReader& r, std::size_t at, bool wide) {
    TextRun run;
    const POINT ref = r.PointL(at);
    run.reference = QPointF(ref.x, ref.y);
    const std::uint32_t count = std::min(r.U32(at + 8), kMaxTextChars);
    const std::uint32_t offString = r.U32(at + 12);
    run.options = r.U32(at + 16);
    const bool hasRect = !(run.options & ETO_NO_RECT);
    if (hasRect) {
        const RECT c = r.RectL(at + 20);
        run.rect = QRectF(QPointF(c.left, c.top), QPointF(c.right, c.bottom)).normalized();
    }
    const std::uint32_t offDx = r.U32(hasRect ? at + 36 : at + 20);
    ReadChars(r, offString, count, wide, run);
    if (offDx != 0) {
        const std::size_t step = (run.options & ETO_PDY) ? 8 : 4;
        const auto dx = r.Block(offDx, count, step);
        for (std::uint32_t i = 0; i < count; ++i) run.dx.push_back(RecordReader(dx).I32(i * step));
    }
    return run;
}

// SmallTextOut: position, count, options, graphics mode, scales, a rectangle unless
// ETO_NO_RECT, then 8-bit characters with ETO_SMALL_CHARS or UTF-16 ones; no advances.
TextRun ReadSmallRun(const RecordReader& r) {
    TextRun run;
    run.reference = QPointF(r.I32(8), r.I32(12));
    const std::uint32_t count = std::min(r.U32(16), kMaxTextChars);
    run.options = r.U32(20);
    std::size_t at = 36;
    if (!(run.options & ETO_NO_RECT)) {
        const RECT c = r.RectL(at);
        run.rect = QRectF(QPointF(c.left, c.top), QPointF(c.right, c.bottom)).normalized();
        at += 16;
    }
    ReadChars(r, at, count, !(run.options & ETO_SMALL_CHARS), run);
    run.options &= ~ETO_GLYPH_INDEX;
    return run;
}

}  // namespace

void MetafilePlayer::DrawText(TextRun run) {
    // Fonts need the GUI application; a process without one draws no text.
    if (recording_ || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    const QTransform t = LogicalToOutput();
    const QTransform linear(t.m11(), t.m12(), t.m21(), t.m22(), 0, 0);
    const QPointF alongX = linear.map(QPointF(1, 0)), alongY = linear.map(QPointF(0, 1));
    const double xScale = std::hypot(alongX.x(), alongX.y()), yScale = std::hypot(alongY.x(), alongY.y());
    const MetaFont& f = *state_.font;
    double pixels = f.height == 0 ? 16 * yScale : std::abs(f.height) * yScale * (f.height > 0 ? kCellToEm : 1.0);
    if (!std::isfinite(pixels) || pixels > kMaxFontPixels || !std::isfinite(xScale) || xScale == 0) return;
    // Symbol-set text is drawn as the Unicode signs it stands for, in a font that has them.
    const bool symbol = f.charSet == SYMBOL_CHARSET;
    QFont font(symbol ? QStringLiteral("serif") : f.face.isEmpty() ? QStringLiteral("Arial") : f.face);
    font.setStyleHint(StyleHintOf(f.pitchAndFamily));
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    font.setWeight(QFont::Weight(std::clamp(f.weight == 0 ? 400 : f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    // A width asks for narrower or wider characters than the font's average.
    if (f.width != 0) {
        const double average = QFontMetricsF(font).averageCharWidth();
        if (average > 0)
            font.setStretch(std::clamp(int(std::lround(100 * std::abs(f.width) * xScale / average)), 1, 4000));
    }
    const QFontMetricsF metrics(font);
    if (symbol)
        for (auto& c : run.text)
            if (c.unicode() < 0x100 || (c.unicode() & 0xFF00) == 0xF000)
                c = QChar(SymbolChar(std::uint8_t(c.unicode())));

    // Positions along the baseline, in output pixels.
    std::vector<double> x(run.text.size() + 1, 0.0);
    for (qsizetype i = 0; i < run.text.size(); ++i) {
        const double advance =
            std::size_t(i) < run.dx.size() ? run.dx[std::size_t(i)] * xScale : metrics.horizontalAdvance(run.text[i]);
        x[std::size_t(i) + 1] = x[std::size_t(i)] + advance;
    }
    const double total = x.back();
    const bool fromPosition = state_.textAlign & TA_UPDATECP;
    const QPointF origin = t.map(fromPosition ? state_.position : run.reference);
    if (!std::isfinite(origin.x()) || !std::isfinite(origin.y()) || std::abs(origin.x()) > kMaxOutputCoordinate ||
        std::abs(origin.y()) > kMaxOutputCoordinate)
        return;
    double shift = 0;
    if ((state_.textAlign & TA_CENTER) == TA_CENTER) shift = -total / 2;
    else if (state_.textAlign & TA_RIGHT) shift = -total;
    double baseline = metrics.ascent();
    if ((state_.textAlign & TA_BASELINE) == TA_BASELINE) baseline = 0;
    else if (state_.textAlign & TA_BOTTOM) baseline = -metrics.descent();
    if (fromPosition) state_.position += QPointF(total / xScale, 0);

    if ((run.options & ETO_OPAQUE) && !run.rect.isEmpty())
        painter_.fillPath(t.map([&] {
            QPainterPath p;
            p.addRect(run.rect);
            return p;
        }()),
                          ToColor(state_.bkColor));
    painter_.save();
    if ((run.options & ETO_CLIPPED) && !run.rect.isEmpty()) {
        QPainterPath clip;
        clip.addRect(run.rect);
        painter_.setClipPath(t.map(clip), Qt::IntersectClip);
    }
    // The baseline turns with the mapping of the x axis and the font's escapement.
    QPointF direction = alongX.x() < 0 ? -alongX : alongX;
    const double angle = std::atan2(direction.y(), direction.x()) * 180 / std::numbers::pi - f.escapement / 10.0;
    painter_.translate(origin);
    painter_.rotate(angle);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (state_.bkMode == OPAQUE)
        painter_.fillRect(QRectF(shift, baseline - metrics.ascent(), total, metrics.height()), ToColor(state_.bkColor));
    painter_.setFont(font);
    painter_.setPen(ToColor(state_.textColor));
    if (run.options & ETO_GLYPH_INDEX) {
        QGlyphRun glyphs;
        glyphs.setRawFont(QRawFont::fromFont(font));
        QList<quint32> indexes(run.glyphs.begin(), run.glyphs.end());
        QList<QPointF> positions;
        for (std::size_t i = 0; i < run.glyphs.size(); ++i) positions << QPointF(shift + x[i], baseline);
        glyphs.setGlyphIndexes(indexes);
        glyphs.setPositions(positions);
        painter_.drawGlyphRun(QPointF(0, 0), glyphs);
    } else if (run.dx.empty()) {
        painter_.drawText(QPointF(shift, baseline), run.text);
    } else {
        for (qsizetype i = 0; i < run.text.size(); ++i)
            painter_.drawText(QPointF(shift + x[std::size_t(i)], baseline), QString(run.text[i]));
    }
    painter_.restore();
    clipDirty_ = true;
}

bool MetafilePlayer::PlayTextRecord(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW: DrawText(ReadRun(r, 36, r.Type() == EMR_EXTTEXTOUTW)); return true;
    case EMR_SMALLTEXTOUT: DrawText(ReadSmallRun(r)); return true;
    case EMR_POLYTEXTOUTA:
    case EMR_POLYTEXTOUTW: {
        const std::int32_t strings = std::clamp(r.I32(36), 0, kMaxPolyTextStrings);
        for (std::int32_t i = 0; i < strings; ++i)
            DrawText(ReadRun(r, 40 + kEmrTextSize * std::size_t(i), r.Type() == EMR_POLYTEXTOUTW));
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
