// Font families for metafile faces, resolved once per face and kept.
#include "platform/metafile/TextFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <utility>

#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/SymbolFont.h"

namespace platform {

namespace {

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

QString Resolved(const QString& face, QFont::StyleHint hint) {
    QFont font(face);
    font.setStyleHint(hint);
    return QFontInfo(font).family();
}

// What a face no font and no alias answers to resolves to without a hint.
const QString& UnknownFaceFamily() {
    static const QString family = Resolved(QStringLiteral("Obrazor No Such Face"), QFont::AnyStyle);
    return family;
}

QString Lookup(const QString& face, std::uint8_t pitchAndFamily) {
    const QString byName = Resolved(face, QFont::AnyStyle);
    if (byName != UnknownFaceFamily() || QFontDatabase::hasFamily(face)) return byName;
    return Resolved(face, StyleHintOf(pitchAndFamily));
}

// The family that draws a symbol set's Unicode signs: a Times-like face with Greek for Symbol,
// a face with the pictographs for the others; characters they lack come from the fonts that
// have them. (Symbol's metric twin is left out: it answers only to the private-use codes, and
// Qt draws nothing in its place for a symbol-encoded font.)
QString SymbolFamily(const MetaFont& f) {
    if (SymbolSetOf(f.face.toStdU16String()) == SymbolSet::Symbol)
        return FamilyFor(QStringLiteral("Times New Roman"), 0);
    static const bool pictographs = QFontDatabase::hasFamily(QStringLiteral("Symbola"));
    return pictographs ? QStringLiteral("Symbola") : FamilyFor(f.face, f.pitchAndFamily);
}

// The average character width a font's width field is measured against: the lowercase letters
// and the space weighted by their frequency in English text (the OS/2 table's historical
// xAvgCharWidth, which Windows reports as the average width), here from the face's advances.
double AverageCharWidth(const QFont& font) {
    static constexpr int kWeights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6,  35, 20, 56,
                                         56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
    const QFontMetricsF metrics(font);
    double sum = 0;
    for (int i = 0; i < 27; ++i) sum += kWeights[i] * metrics.horizontalAdvance(QChar(i < 26 ? u'a' + i : u' '));
    return sum / 1000;
}

}  // namespace

QString FamilyFor(const QString& face, std::uint8_t pitchAndFamily) {
    static std::mutex mutex;
    static std::map<std::pair<QString, std::uint8_t>, QString> known;
    const std::pair<QString, std::uint8_t> key(face.isEmpty() ? QStringLiteral("Arial") : face, pitchAndFamily & 0xF0);
    const std::lock_guard lock(mutex);
    auto it = known.find(key);
    if (it == known.end()) it = known.emplace(key, Lookup(key.first, key.second)).first;
    return it->second;
}

QFont OutputFont(const MetaFont& f, double pixels, double widthPixels) {
    QFont font(f.charSet == SYMBOL_CHARSET ? SymbolFamily(f) : FamilyFor(f.face, f.pitchAndFamily));
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    font.setWeight(QFont::Weight(std::clamp(f.weight == 0 ? 400 : f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    // A width asks for narrower or wider characters than the font's average.
    if (widthPixels > 0) {
        const double average = AverageCharWidth(font);
        const double width = std::min(widthPixels, kMaxFontPixels);
        if (average > 0) font.setStretch(int(std::lround(std::clamp(100 * width / average, 1.0, 4000.0))));
    }
    return font;
}

}  // namespace platform
