// How a GIF image draws itself: the first frame, composed onto the screen, through the
// frame's transparency.
#include "gif/GIFFrameDraw.h"
#include "gif/GIFImage.h"
#include "gif/GIFMessages.h"
#include "gif/GIFRenderState.h"
#include "graphics/Bitmap.h"

void TGIFImage::DrawInto(TCanvas& canvas, const TRect& rect) {
    if (IsEmpty()) return;
    gif::DrawFrame(*images_.Frame(0), canvas, rect, PaintOptions & goDrawTransparent);
}

HPALETTE TGIFImage::PaletteHandle() {
    TGIFRenderState& state = RenderState();
    if (state.CompositeBitmap && state.CompositeBitmap->PaletteHandle()) return state.CompositeBitmap->PaletteHandle();
    if (state.GlobalPalette) return state.GlobalPalette;
    if (GlobalColorMap().Count() == 0) {
        if (IsEmpty()) return nullptr;
        HPALETTE local = images_.Frame(0)->ColorMap().ToPalette();
        if (!local) RaiseGIFError(gifmsg::SNoColorTable);
        return local;
    }
    state.GlobalPalette = GlobalColorMap().ToPalette();
    return state.GlobalPalette;
}

void TGIFImage::AdoptPalette(HPALETTE palette) {
    if (!render_ && !palette) return;
    TGIFRenderState& state = RenderState();
    state.GlobalPalette = std::move(palette);
    if (!state.CompositeBitmap || state.CompositeBitmap->PaletteHandle() == state.GlobalPalette) return;
    state.CompositeBitmap.reset();
    SetPaletteModified(true);
    NotifyChanged(this);
}

TBitmap* TGIFImage::ScreenBitmap() {
    if (IsEmpty()) return nullptr;
    TGIFRenderState& state = RenderState();
    if (state.CompositeBitmap) return state.CompositeBitmap.get();
    TGIFSubImage& first = *images_.Frame(0);
    auto composite = std::make_unique<TBitmap>();
    TBitmap* frameBitmap = gif::FrameBitmap(first);
    if (frameBitmap && first.Width() == ImageWidth() && first.Height() == ImageHeight()) {
        composite->CopyFrom(frameBitmap);
    } else {
        composite->AdoptPalette(PaletteHandle());
        composite->ResizeWidth(ImageWidth());
        composite->ResizeHeight(ImageHeight());
        gif::DrawFrame(first, composite->Canvas(), {0, 0, ImageWidth(), ImageHeight()}, false);
    }
    composite->OnChange = [this](TObject*) { NotifyChanged(this); };
    state.CompositeBitmap = std::move(composite);
    return state.CompositeBitmap.get();
}

void TGIFImage::CopyTo(TPersistent* destination) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(destination)) return bitmap->CopyFrom(ScreenBitmap());
    TGraphic::CopyTo(destination);
}

void TGIFSubImage::CopyTo(TPersistent* destination) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(destination)) return bitmap->CopyFrom(gif::FrameBitmap(*this));
    TGIFItem::CopyTo(destination);
}
