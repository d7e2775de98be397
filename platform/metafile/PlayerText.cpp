// Text records: the font made from the selected one at the output scale, the reference point
// placed by the alignment, each character at its Dx advance, rotated by the escapement.
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QRawFont>
#include <cmath>
#include <numbers>

#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"
#include "platform/metafile/SymbolFont.h"
#include "platform/metafile/TextFont.h"
#include "platform/metafile/EmfRecordType.h"

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

constexpr std::uint32_t ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4, ETO_GLYPH_INDEX = 0x10, ETO_SMALL_CHARS = 0x200,
                        ETO_PDY = 0x2000;
constexpr std::size_t kEmrTextSize = 40;
constexpr std::int32_t kMaxPolyTextStrings = 1024;
// A cell height (positive font height) holds the character height and the internal leading.
constexpr double kCellToEm = 0.85;

void AddChars(const std::u16string& chars, TextRun& run) {
    for (const char16_t c : chars) {
        run.glyphs.push_back(c);
        run.text += QChar(c);
    }
}

// A run of the fields of an EmrText block: reference, options, rectangle and characters.
TextRun RunOf(const RecordReader& r, const EmrText& text, bool wide) {
    TextRun run;
    run.reference = QPointF(text.reference.x, text.reference.y);
    run.options = text.options;
    if (text.hasRect) {
        const RECT& c = text.rect;
        run.rect = QRectF(QPointF(c.left, c.top), QPointF(c.right, c.bottom)).normalized();
    }
    AddChars(text.Chars(r, wide), run);
    return run;
}

// The EmrText block at `at`, with its advances.
TextRun ReadRun(const RecordReader& r, std::size_t at, bool wide) {
    const EmrText text = EmrText::Read(r, at);
    TextRun run = RunOf(r, text, wide);
    for (const std::int32_t d : text.Advances(r, run.options & ETO_PDY)) run.dx.push_back(d);
    return run;
}

// SmallTextOut: 8-bit characters with ETO_SMALL_CHARS, UTF-16 ones otherwise; never glyph
// indexes.
TextRun ReadSmallRun(const RecordReader& r) {
    const EmrText text = EmrText::ReadSmall(r);
    TextRun run = RunOf(r, text, !(text.options & ETO_SMALL_CHARS));
    run.options &= ~ETO_GLYPH_INDEX;
    return run;
}

// The characters of a run, one string each; an empty string for a symbol code its face has no
// character for. Symbol-set text is drawn as the Unicode signs it stands for.
std::vector<QString> Characters(const QString& text, const MetaFont& f) {
    std::vector<QString> chars;
    const SymbolSet set = SymbolSetOf(f.face.toStdU16String());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (f.charSet != SYMBOL_CHARSET || !(u < 0x100 || (u & 0xFF00) == 0xF000)) {
            chars.emplace_back(c);
            continue;
        }
        const char32_t sign = SymbolChar(set, std::uint8_t(u));
        chars.push_back(sign ? QString::fromUcs4(&sign, 1) : QString());
    }
    return chars;
}

// The advance of one character: a single unit as the font's own, a missing glyph as glyph 0's.
double Advance(const QFontMetricsF& metrics, const QRawFont& raw, const QString& c) {
    if (c.isEmpty()) return raw.advancesForGlyphIndexes(QList<quint32>{0}).value(0).x();
    return c.size() == 1 ? metrics.horizontalAdvance(c[0]) : metrics.horizontalAdvance(c);
}

}  // namespace

// Where a run goes: its characters' offsets along the baseline and the run's placement, in
// output pixels.
struct TextLayout {
    std::vector<QString> chars;
    std::vector<double> x;  // one more than the characters: the last is the run's advance
    QPointF origin;
    double shift = 0, baseline = 0, angle = 0;
    bool missing = false;  // some character draws as the missing glyph
};

bool MetafilePlayer::LayOutText(const TextRun& run, const QFont& font, double xScale, TextLayout& layout) {
    const QFontMetricsF metrics(font);
    const QRawFont raw = QRawFont::fromFont(font);
    layout.chars = Characters(run.text, *state_.font);
    layout.x.assign(layout.chars.size() + 1, 0.0);
    for (std::size_t i = 0; i < layout.chars.size(); ++i) {
        layout.missing = layout.missing || layout.chars[i].isEmpty();
        const double advance = i < run.dx.size() ? run.dx[i] * xScale : Advance(metrics, raw, layout.chars[i]);
        layout.x[i + 1] = layout.x[i] + advance;
    }
    const double total = layout.x.back();
    const bool fromPosition = state_.textAlign & TA_UPDATECP;
    layout.origin = LogicalToOutput().map(fromPosition ? state_.position : run.reference);
    if (!std::isfinite(layout.origin.x()) || !std::isfinite(layout.origin.y()) ||
        std::abs(layout.origin.x()) > kMaxOutputCoordinate || std::abs(layout.origin.y()) > kMaxOutputCoordinate)
        return false;
    if ((state_.textAlign & TA_CENTER) == TA_CENTER) layout.shift = -total / 2;
    else if (state_.textAlign & TA_RIGHT) layout.shift = -total;
    layout.baseline = metrics.ascent();
    if ((state_.textAlign & TA_BASELINE) == TA_BASELINE) layout.baseline = 0;
    else if (state_.textAlign & TA_BOTTOM) layout.baseline = -metrics.descent();
    if (fromPosition) state_.position += QPointF(total / xScale, 0);
    return true;
}

void MetafilePlayer::DrawText(TextRun run) {
    // Fonts need the GUI application; a process without one draws no text.
    if (recording_ || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    const QTransform t = LogicalToOutput();
    const QTransform linear(t.m11(), t.m12(), t.m21(), t.m22(), 0, 0);
    const QPointF alongX = linear.map(QPointF(1, 0)), alongY = linear.map(QPointF(0, 1));
    const double xScale = std::hypot(alongX.x(), alongX.y()), yScale = std::hypot(alongY.x(), alongY.y());
    const MetaFont& f = *state_.font;
    const double pixels =
        f.height == 0 ? 16 * yScale : std::abs(double(f.height)) * yScale * (f.height > 0 ? kCellToEm : 1.0);
    if (!std::isfinite(pixels) || pixels > kMaxFontPixels || !std::isfinite(xScale) || xScale == 0) return;
    const QFont font = OutputFont(f, pixels, std::abs(double(f.width)) * xScale);
    TextLayout layout;
    if (!LayOutText(run, font, xScale, layout)) return;
    // The baseline turns with the mapping of the x axis and the font's escapement.
    const QPointF direction = alongX.x() < 0 ? -alongX : alongX;
    layout.angle = std::atan2(direction.y(), direction.x()) * 180 / std::numbers::pi - f.escapement / 10.0;
    PaintText(run, font, layout);
}

void MetafilePlayer::PaintText(const TextRun& run, const QFont& font, const TextLayout& layout) {
    const QTransform t = LogicalToOutput();
    if ((run.options & ETO_OPAQUE) && !run.rect.isEmpty()) {
        QPainterPath box;
        box.addRect(run.rect);
        painter_.fillPath(t.map(box), ToColor(state_.bkColor));
    }
    painter_.save();
    if ((run.options & ETO_CLIPPED) && !run.rect.isEmpty()) {
        QPainterPath clip;
        clip.addRect(run.rect);
        painter_.setClipPath(t.map(clip), Qt::IntersectClip);
    }
    painter_.translate(layout.origin);
    painter_.rotate(layout.angle);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QFontMetricsF metrics(font);
    if (state_.bkMode == OPAQUE)
        painter_.fillRect(QRectF(layout.shift, layout.baseline - metrics.ascent(), layout.x.back(), metrics.height()),
                          ToColor(state_.bkColor));
    painter_.setFont(font);
    painter_.setPen(ToColor(state_.textColor));
    PaintCharacters(run, font, layout);
    painter_.restore();
    clipDirty_ = true;
}

void MetafilePlayer::PaintCharacters(const TextRun& run, const QFont& font, const TextLayout& layout) {
    const auto at = [&](std::size_t i) { return QPointF(layout.shift + layout.x[i], layout.baseline); };
    const auto glyphs = [&](const std::vector<quint32>& indexes, const std::vector<std::size_t>& places) {
        QGlyphRun glyphRun;
        glyphRun.setRawFont(QRawFont::fromFont(font));
        QList<QPointF> positions;
        for (std::size_t i : places) positions << at(i);
        glyphRun.setGlyphIndexes(QList<quint32>(indexes.begin(), indexes.end()));
        glyphRun.setPositions(positions);
        painter_.drawGlyphRun(QPointF(0, 0), glyphRun);
    };
    if (run.options & ETO_GLYPH_INDEX) {
        std::vector<std::size_t> places(run.glyphs.size());
        for (std::size_t i = 0; i < places.size(); ++i) places[i] = i;
        glyphs(run.glyphs, places);
    } else if (run.dx.empty() && !layout.missing) {
        QString text;
        for (const QString& c : layout.chars) text += c;
        painter_.drawText(at(0), text);
    } else {
        for (std::size_t i = 0; i < layout.chars.size(); ++i)
            if (layout.chars[i].isEmpty()) glyphs({0}, {i});
            else painter_.drawText(at(i), layout.chars[i]);
    }
}

namespace {

std::shared_ptr<const MetaFont> FontOf(const LogFontW& l) {
    auto font = std::make_shared<MetaFont>();
    font->height = l.height;
    font->width = l.width;
    font->escapement = l.escapement;
    font->weight = l.weight;
    font->italic = l.italic != 0;
    font->underline = l.underline != 0;
    font->strikeOut = l.strikeOut != 0;
    font->charSet = l.charSet;
    font->pitchAndFamily = l.pitchAndFamily;
    font->face = QString::fromStdU16String(l.face);
    return font;
}

}  // namespace

bool MetafilePlayer::PlayTextRecord(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_EXTTEXTOUTA:
    case EMR_EXTTEXTOUTW: DrawText(ReadRun(r, 36, r.Type() == EMR_EXTTEXTOUTW)); return true;
    case EMR_SMALLTEXTOUT: DrawText(ReadSmallRun(r)); return true;
    case EMR_EXTCREATEFONTINDIRECTW: {
        const EmrExtCreateFontIndirectW record = EmrExtCreateFontIndirectW::Read(r);
        CreateObject(record.ihFont, FontOf(record.font));
        return true;
    }
    case EMR_POLYTEXTOUTA:
    case EMR_POLYTEXTOUTW: {
        const std::int32_t strings = std::clamp(EmrPolyTextOut::Read(r).value, 0, kMaxPolyTextStrings);
        for (std::int32_t i = 0; i < strings; ++i)
            DrawText(ReadRun(r, 40 + kEmrTextSize * std::size_t(i), r.Type() == EMR_POLYTEXTOUTW));
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
