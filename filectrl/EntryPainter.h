#pragma once
// Painting one entry of a browser list: the rectangle filled in the window or highlight
// colour, the glyph, and the text on one line with "&" as an ordinary character.

#include <QFont>
#include <QRect>
#include <QString>
#include <functional>

#include "filectrl/GlyphPainter.h"

class QPainter;

struct EntryLayout {
    TGlyphKind glyph = TGlyphKind::None;
    int glyphLeft = 2;  // from the rectangle's left edge; the glyph is centred vertically
    int textLeft = 2;
    bool textCentred = false;  // else at the top of the rectangle
};

// What a list tells its painter about entry `row`.
struct EntrySource {
    std::function<QString(int row)> text;
    std::function<EntryLayout(int row)> layout;
};

class EntryPainter {
public:
    explicit EntryPainter(EntrySource source) : source_(std::move(source)) {}
    void Paint(QPainter& painter, const QRect& rect, int row, bool selected, const QFont& font);
    // The keyboard focus: a dotted rectangle just inside the entry's rectangle, in its text colour.
    static void PaintFocus(QPainter& painter, const QRect& rect, bool selected);
    const EntrySource& Source() const { return source_; }

private:
    EntrySource source_;
    GlyphPainter glyphs_;
};

// The entry height when none is set: the font's text height, at least `minimum`.
int DefaultItemHeight(const QFont& font, int minimum);
