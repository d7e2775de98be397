#pragma once
// The glyphs as the lists paint them: each glyph drawn through TBitmap onto a 32-bit bitmap of
// the entry's background colour, its bottom-left colour transparent, kept per colour.

#include <QImage>
#include <map>
#include <utility>

#include "filectrl/EntryList.h"
#include "graphics/Canvas.h"

class GlyphPainter {
public:
    // The glyph on `background`; a null image for TGlyphKind::None.
    const QImage& Glyph(TGlyphKind kind, TColor background);

    // Renders one glyph; exposed for tests.
    static QImage Render(TGlyphKind kind, TColor background);

private:
    std::map<std::pair<TGlyphKind, TColor>, QImage> cache_;
};
