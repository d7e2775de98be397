// How a GIF image draws itself: one frame at once, several through a painter that composes them
// on the screen bitmap, which is then stretched into the rectangle.
#include <algorithm>
#include <chrono>

#include "gif/ColorReduction.h"
#include "gif/GIFFrameDraw.h"
#include "gif/GIFImage.h"
#include "gif/GIFLimits.h"
#include "gif/GIFMessages.h"
#include "gif/GIFPaletteDisplay.h"
#include "gif/GIFRenderState.h"
#include "gif/GIFPainter.h"
#include "graphics/Bitmap.h"
#include "platform/OwnerThread.h"

namespace {
// How long DrawInto sleeps at most between looks at its painter; a queued step wakes it.
constexpr std::chrono::milliseconds FirstFrameWaitSlice{20};

struct TDrawingFlag {
    explicit TDrawingFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~TDrawingFlag() { flag_ = false; }
    TDrawingFlag(const TDrawingFlag&) = delete;
    TDrawingFlag& operator=(const TDrawingFlag&) = delete;
    bool& flag_;
};
}  // namespace

void TGIFImage::DrawInto(TCanvas& canvas, const TRect& rect) {
    if (IsEmpty() || RenderState().Drawing) return;
    TGIFRenderState& state = RenderState();
    TDrawingFlag drawing(state.Drawing);
    if (images_.Count() == 1 || !(PaintOptions & goAnimateFrames) || !AnimationFits(rect))
        return gif::DrawFrame(*images_.Frame(0), canvas, rect, PaintOptions & goDrawTransparent,
                              PaintOptions & goTileImage);
    const bool onTarget = PaintOptions & goPaintOnTarget;
    if (state.CompositeBitmap && !onTarget) return DrawComposite(canvas, rect);
    std::lock_guard guard(state.PainterLock);
    TGIFPainter* showing = state.ShowingPainter;
    if (showing && showing->Canvas() == &canvas && showing->Rect() == rect) return;
    StartShowingPainter(canvas, rect);
    if (!state.ShowingPainter) {
        // An unthreaded painter has played every frame already; show where it ended.
        if (!onTarget && state.CompositeBitmap) DrawComposite(canvas, rect);
        return;
    }
    state.ShowingPainter->StartPainting();
    if (onTarget) return;
    if (WaitForFirstFrame()) DrawComposite(canvas, rect);
}

// The painter starts from what lay under the rectangle, scaled to the screen.
void TGIFImage::StartShowingPainter(TCanvas& canvas, const TRect& rect) {
    StopShowingPainter();
    TGIFRenderState& state = RenderState();
    if (PaintOptions & goPaintOnTarget) {
        StartPainter(&state.ShowingPainter, canvas, PaintOptions, rect);
        return;
    }
    PrepareCompositeBitmap();
    const TRect screen{0, 0, ImageWidth(), ImageHeight()};
    TCanvas& target = state.CompositeBitmap->Canvas();
    target.CopyMode = platform::SRCCOPY;
    target.CopyArea(screen, canvas, rect);
    StartPainter(&state.ShowingPainter, target, PaintOptions, screen);
}

// Every frame's bitmap and the bitmaps a painter works in, against the animation budget.
bool TGIFImage::AnimationFits(const TRect& rect) {
    std::int64_t bytes = 0;
    bool restores = PaintOptions & goResetOnLoop, background = restores;
    for (int i = 0; i < images_.Count(); ++i) {
        TGIFSubImage& frame = *images_.Frame(i);
        bytes += frame.PixelCount();
        const int disposal = frame.GraphicControlExtension() ? frame.GraphicControlExtension()->Disposal() : 0;
        restores = restores || disposal == 2 || disposal == 3;
        background = background || disposal == 2;
    }
    const bool onTarget = PaintOptions & goPaintOnTarget;
    const std::int64_t target = onTarget ? std::int64_t(rect.right - rect.left) * (rect.bottom - rect.top)
                                         : std::int64_t(ImageWidth()) * ImageHeight();
    const int workBitmaps =
        (onTarget ? 0 : 1) + (restores ? 2 : 0) + (background && (PaintOptions & goDrawTransparent));
    bytes += 4 * target * workBitmaps;
    return bytes <= gif::MaxAnimationBytes;
}

// False when the painter went without a composed screen to show. A first frame that does not
// come within the limit leaves the screen as far as the painter got; the painter goes on.
bool TGIFImage::WaitForFirstFrame() {
    TGIFRenderState& state = RenderState();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WaitLimits.FirstFrameMs);
    for (;;) {
        TGIFPainter* painter = state.ShowingPainter;
        if (!painter || painter->Terminated() || painter->FirstFramePainted()) break;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        platform::WaitAndServiceOwnerThread(std::min(left, FirstFrameWaitSlice));
    }
    return state.CompositeBitmap != nullptr;
}

void TGIFImage::DrawComposite(TCanvas& canvas, const TRect& rect) {
    TBitmap* composite = ScreenBitmap();
    if (!(PaintOptions & goTileImage)) return canvas.StretchDrawGraphic(rect, composite);
    gif::ForEachTile(rect, ImageWidth(), ImageHeight(),
                     [&](const TRect& tile) { canvas.StretchDrawGraphic(tile, composite); });
}

HPALETTE TGIFImage::PaletteHandle() {
    TGIFRenderState& state = RenderState();
    if (state.CompositeBitmap && state.CompositeBitmap->PaletteHandle()) return state.CompositeBitmap->PaletteHandle();
    if (state.GlobalPalette) return state.GlobalPalette;
    if (gif::DitherFrames(PaintOptions)) return state.GlobalPalette = gif::WebPalette();
    if (GlobalColorMap().Count() == 0) return IsEmpty() ? nullptr : gif::FramePalette(*images_.Frame(0));
    state.GlobalPalette = GlobalColorMap().ToPalette();
    return state.GlobalPalette;
}

void TGIFImage::AdoptPalette(HPALETTE palette) {
    if (!render_ && !palette) return;
    TGIFRenderState& state = RenderState();
    state.GlobalPalette = std::move(palette);
    if (!state.CompositeBitmap || state.CompositeBitmap->PaletteHandle() == state.GlobalPalette) return;
    DropCompositeBitmap();
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
