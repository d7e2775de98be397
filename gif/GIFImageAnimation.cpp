// Starting and stopping an image's painters, and the composed screen they paint into.
#include <chrono>

#include "gif/GIFImage.h"
#include "gif/GIFPainter.h"
#include "gif/GIFRenderState.h"
#include "graphics/Bitmap.h"
#include "platform/OwnerThread.h"

namespace {
// How long a wait for painters sleeps at most before it looks at them again; steps queued by
// a painter end the sleep at once.
constexpr std::chrono::milliseconds PainterWaitSlice{20};

bool EmptyRect(const TRect& rect) { return rect.left >= rect.right || rect.top >= rect.bottom; }

// Carries out queued owner-thread steps; the first failure among them is kept for later.
void ServiceWhileWaiting(std::exception_ptr& failure) {
    try {
        platform::WaitAndServiceOwnerThread(PainterWaitSlice);
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
}
}  // namespace

TGIFPainter* TGIFImage::StartPainter(TGIFPainter** reference, TCanvas& canvas, std::uint16_t options,
                                     const TRect& rect) {
    if (IsEmpty() || EmptyRect(rect)) {
        if (reference) *reference = nullptr;
        return nullptr;
    }
    if (images_.Count() == 1) options &= std::uint16_t(~(goThreadedPaint | goAnimateFrames));
    auto* painter = new TGIFPainter(this, options, rect, &canvas, reference);
    if (reference) *reference = painter;
    {
        TGIFRenderState& state = RenderState();
        std::lock_guard guard(state.PainterLock);
        state.PainterList.push_back(painter);
    }
    painter->OnPaintStarting = OnPaintStarting;
    painter->OnFramePainting = OnFramePainting;
    painter->OnFramePainted = OnFramePainted;
    painter->OnLoopRestarting = OnLoopRestarting;
    painter->OnPaintFinished = OnPaintFinished;
    if (painter->Threaded()) {
        painter->Priority = PainterPriority;
        return painter;
    }
    painter->RunAndRelease();
    if (reference) *reference = nullptr;
    return nullptr;
}

TGIFPainter* TGIFImage::ShowingPainter() { return render_ ? render_->ShowingPainter : nullptr; }

TBitmap* TGIFImage::CompositeBitmap() { return render_ ? render_->CompositeBitmap.get() : nullptr; }

void TGIFImage::StopShowingPainter() {
    if (!render_) return;
    std::exception_ptr failure;
    for (;;) {
        std::unique_lock guard(render_->PainterLock);
        TGIFPainter* painter = render_->ShowingPainter;
        if (!painter) break;
        painter->StopPainting();
        if (!painter->Threaded()) break;
        guard.unlock();
        ServiceWhileWaiting(failure);
    }
    DropCompositeBitmap();
    if (failure) std::rethrow_exception(failure);
}

void TGIFImage::StopAllPainters() {
    if (!render_) return;
    std::exception_ptr failure;
    for (;;) {
        std::unique_lock guard(render_->PainterLock);
        if (render_->PainterList.empty()) break;
        int threaded = 0;
        for (TGIFPainter* painter : std::vector(render_->PainterList)) {
            painter->StopPainting();
            threaded += painter->Threaded();
        }
        if (threaded == 0) break;
        guard.unlock();
        ServiceWhileWaiting(failure);
    }
    DropCompositeBitmap();
    if (failure) std::rethrow_exception(failure);
}

void TGIFImage::PrepareCompositeBitmap() {
    TGIFRenderState& state = RenderState();
    if (state.CompositeBitmap) return;
    auto composite = std::make_unique<TBitmap>();
    composite->AdoptPalette(PaletteHandle());
    composite->ResizeHeight(ImageHeight());
    composite->ResizeWidth(ImageWidth());
    composite->OnChange = [this](TObject*) { NotifyChanged(this); };
    state.CompositeBitmap = std::move(composite);
}

void TGIFImage::DropCompositeBitmap() {
    if (!render_) return;
    {
        std::lock_guard guard(render_->PainterLock);
        if (render_->ShowingPainter) render_->ShowingPainter->StopPainting();
    }
    render_->CompositeBitmap.reset();
}
