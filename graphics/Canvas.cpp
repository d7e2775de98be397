// TCanvas: the drawing context with its selected pen, brush and font, its locks, and the
// operations the picture model draws with.
#include "graphics/Canvas.h"

#include "graphics/Exceptions.h"
#include "graphics/Messages.h"

namespace {
// Guards every canvas's lock count, so TryLockCanvas can tell a free canvas at once.
std::mutex& CounterLock() {
    static std::mutex lock;
    return lock;
}
}  // namespace

TCanvas::TCanvas() {
    font_.OnChange = [this](TObject*) { state_ &= ~unsigned(csFontValid); };
    pen_.OnChange = [this](TObject*) { state_ &= ~unsigned(csPenValid); };
    brush_.OnChange = [this](TObject*) { state_ &= ~unsigned(csBrushValid); };
}

TCanvas::~TCanvas() = default;

platform::HDC TCanvas::Handle() {
    EnsureState(csHandleValid);
    return handle_;
}

void TCanvas::SetHandle(const platform::HDC& dc) {
    if (dc == handle_) return;
    if (handle_) DeselectHandles();
    handle_ = dc;
    state_ = dc ? unsigned(csHandleValid) : 0u;
    if (dc) platform::MoveToEx(dc, PenPos.x, PenPos.y, nullptr);
}

// The context keeps its objects alive itself; a context that is about to go only needs the
// canvas to forget what it selected.
void TCanvas::DeselectHandles() { state_ &= ~unsigned(csFontValid | csPenValid | csBrushValid); }

void TCanvas::EnsureState(unsigned bits) {
    const unsigned missing = bits & ~state_;
    if (missing == 0) return;
    if (missing & csHandleValid) {
        CreateHandle();
        if (!handle_) throw EInvalidOperation(msg::SNoCanvasHandle);
        state_ |= csHandleValid;
    }
    if (missing & csFontValid) SelectFont();
    if (missing & csPenValid) SelectPen();
    if (missing & csBrushValid) SelectBrush();
}

void TCanvas::SelectFont() {
    platform::SelectObject(handle_, font_.Handle());
    platform::SetTextColor(handle_, ColorToRGB(font_.Color()));
    state_ |= csFontValid;
}

void TCanvas::SelectPen() {
    platform::SelectObject(handle_, pen_.Handle());
    state_ |= csPenValid;
}

void TCanvas::SelectBrush() {
    platform::SelectObject(handle_, brush_.Handle());
    platform::SetBkColor(handle_, ColorToRGB(brush_.Color()));
    platform::SetBkMode(handle_, brush_.Style() == TBrushStyle::bsSolid ? platform::OPAQUE : platform::TRANSPARENT);
    state_ |= csBrushValid;
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

// ---- Drawing --------------------------------------------------------------------------------

void TCanvas::StretchDrawGraphic(const TRect& rect, TGraphic* graphic) {
    if (!graphic) return;
    Changing();
    EnsureState(csAllValid);
    graphic->DrawInto(*this, rect);
    Changed();
}

void TCanvas::DrawGraphicAt(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->IsEmpty()) return;
    Changing();
    EnsureState(csHandleValid);
    platform::SetBkColor(handle_, ColorToRGB(brush_.Color()));
    platform::SetTextColor(handle_, ColorToRGB(font_.Color()));
    graphic->DrawInto(*this, TRect{x, y, x + graphic->ImageWidth(), y + graphic->ImageHeight()});
    Changed();
}

void TCanvas::FillArea(const TRect& rect) {
    Changing();
    EnsureState(csHandleValid | csBrushValid);
    platform::FillRect(handle_, rect, brush_.Handle());
    Changed();
}

void TCanvas::CopyArea(const TRect& destination, TCanvas& source, const TRect& sourceRect) {
    Changing();
    EnsureState(csHandleValid | csFontValid | csBrushValid);
    platform::StretchBlt(handle_, destination.left, destination.top, destination.Width(), destination.Height(),
                         source.Handle(), sourceRect.left, sourceRect.top, sourceRect.Width(), sourceRect.Height(),
                         CopyMode);
    Changed();
}

TColor TCanvas::PixelAt(int x, int y) {
    EnsureState(csHandleValid);
    return TColor(platform::GetPixel(handle_, x, y));
}

void TCanvas::SetPixelAt(int x, int y, TColor color) {
    Changing();
    EnsureState(csHandleValid | csPenValid);
    platform::SetPixel(handle_, x, y, ColorToRGB(color));
    Changed();
}

TRect TCanvas::ClipArea() {
    EnsureState(csHandleValid);
    TRect rect;
    platform::GetClipBox(handle_, &rect);
    return rect;
}

// ---- Locks ----------------------------------------------------------------------------------

void TCanvas::LockCanvas() {
    {
        std::lock_guard guard(CounterLock());
        ++lockCount_;
    }
    lock_.lock();
}

void TCanvas::UnlockCanvas() {
    lock_.unlock();
    std::lock_guard guard(CounterLock());
    --lockCount_;
}

// Never waits. A count of 0 read under the counter lock means no thread holds the canvas or is
// on its way to take it (LockCanvas counts before it locks, UnlockCanvas unlocks before it stops
// counting), so the try below succeeds; it is a try all the same, so that holding another lock
// here (the list of bitmap canvases with a context) never orders that lock before this canvas.
bool TCanvas::TryLockCanvas() {
    std::lock_guard guard(CounterLock());
    if (lockCount_ != 0 || !lock_.try_lock()) return false;
    ++lockCount_;
    return true;
}
