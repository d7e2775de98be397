#include "filectrl/GlyphPainter.h"

#include <cstring>

#include "filectrl/GlyphResources.h"
#include "graphics/Bitmap.h"

QImage GlyphPainter::Render(TGlyphKind kind, TColor background) {
    const char* name = GlyphResourceName(kind);
    if (!name) return {};
    std::unique_ptr<TBitmap> glyph = LoadGlyph(name);
    glyph->ChangeTransparent(true);  // the bottom-left pixel's colour shows the background
    const int width = glyph->ImageWidth(), height = glyph->ImageHeight();
    TBitmap target;
    target.ChangeDepth(TPixelDepth::Bits32);
    target.ResizeWidth(width);
    target.ResizeHeight(height);
    TCanvas& canvas = target.Canvas();
    canvas.Brush().SetColor(background);
    canvas.FillArea({0, 0, width, height});
    canvas.DrawGraphicAt(0, 0, glyph.get());
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) std::memcpy(image.scanLine(y), target.ScanRow(y), std::size_t(width) * 4);
    return image;
}

const QImage& GlyphPainter::Glyph(TGlyphKind kind, TColor background) {
    const auto key = std::make_pair(kind, background);
    auto found = cache_.find(key);
    if (found == cache_.end()) found = cache_.emplace(key, Render(kind, background)).first;
    return found->second;
}
