// The painter's paint steps, carried out on the owner thread: frames painted straight onto the
// target, or composed in work bitmaps that keep what disposal methods 2 and 3 restore.
#include <algorithm>

#include "gif/GIFFrameDraw.h"
#include "gif/GIFImage.h"
#include "gif/GIFPainter.h"
#include "graphics/Bitmap.h"
#include "graphics/BitmapPalette.h"
#include "graphics/Exceptions.h"
#include "graphics/PaletteSelection.h"
#include "platform/DeviceContext.h"

namespace {

constexpr std::uint32_t Uses(int disposal) { return 1u << disposal; }

std::unique_ptr<TBitmap> WorkBitmap(const TRect& rect, TColor brush) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->ResizeWidth(rect.right - rect.left);
    bitmap->ResizeHeight(rect.bottom - rect.top);
    bitmap->Canvas().Brush().SetColor(brush);
    return bitmap;
}

void CopyFromCanvas(TBitmap& to, TCanvas& from, const TRect& rect) {
    TCanvas& canvas = to.Canvas();
    canvas.CopyMode = platform::SRCCOPY;
    canvas.CopyArea({0, 0, to.ImageWidth(), to.ImageHeight()}, from, rect);
}

// A context lives while someone holds it and keeps a surface (or is the display's).
bool StillDeviceContext(const std::weak_ptr<platform::DeviceContext>& remembered) {
    const platform::HDC dc = remembered.lock();
    return dc && (dc->IsDisplay() || dc->Target());
}

TColor PainterBackground(TGIFImage& image) {
    if (image.BackgroundColorOverride != clNone) return TColor(ColorToRGB(image.BackgroundColorOverride));
    if (image.GlobalColorMap().Count() == 0) return TColor(ColorToRGB(clWindow));
    return image.Header().BackgroundColor();
}

}  // namespace

void TGIFPainter::PrepareWorkBitmaps() {
    backgroundColor_ = PainterBackground(*image_);
    if (Options & goResetOnLoop) disposalsInUse_ |= Uses(2);
    for (int i = 0; i < image_->Images().Count(); ++i)
        if (const auto* control = image_->Images().Frame(i)->GraphicControlExtension())
            disposalsInUse_ |= Uses(control->Disposal());
    if (rect_.left >= rect_.right || rect_.top >= rect_.bottom) return;
    if ((disposalsInUse_ & Uses(2)) && (Options & goDrawTransparent)) {
        backgroundBitmap_ = WorkBitmap(rect_, clWhite);
        CopyFromCanvas(*backgroundBitmap_, *canvas_, rect_);
    }
    if (disposalsInUse_ & (Uses(2) | Uses(3))) {
        backupBitmap_ = WorkBitmap(rect_, backgroundColor_);
        CopyFromCanvas(*backupBitmap_, *canvas_, rect_);
        frameWorkBitmap_ = WorkBitmap(rect_, backgroundColor_);
    }
}

void TGIFPainter::PaintInto(TCanvas& canvas, const TRect& rect) {
    TGIFSubImage& frame = *image_->Images().Frame(ActiveFrame());
    gif::DrawFrame(frame, canvas, rect, Options & goDrawTransparent, Options & goTileImage);
}

// A bitmap canvas gives its context back after every event and makes a new one when next drawn
// on; only a canvas that is gone, or that can no longer have a context, stops the painter.
bool TGIFPainter::TargetStillValid() {
    if (!(Options & goCheckCanvasValid)) return true;
    if (canvasLife_.expired()) return false;
    if (StillDeviceContext(rememberedDC_)) return true;
    try {
        rememberedDC_ = canvas_->Handle();
    } catch (const EInvalidOperation&) {
        return false;
    }
    return StillDeviceContext(rememberedDC_);
}

// The frame's colours (the standard sixteen when it has none) are realized in the context it is
// composed in for the paint, and that context's own palette is selected back afterwards.
void TGIFPainter::PaintInFramePalette(TCanvas& canvas, const TRect& rect) {
    const platform::HPALETTE palette = gif::FramePalette(*image_->Images().Frame(ActiveFrame()));
    const TPaletteSelection selection(canvas.Handle(), palette ? palette : StandardPalette16());
    PaintInto(canvas, rect);
}

void TGIFPainter::PaintFrameDirect() {
    if (!TargetStillValid()) return terminated_.store(true);
    PaintInto(*canvas_, rect_);
    firstFramePainted_.store(true);
}

void TGIFPainter::CopyToTarget(TBitmap& from) {
    const std::uint32_t mode = canvas_->CopyMode;
    canvas_->CopyMode = platform::SRCCOPY;
    canvas_->CopyArea(rect_, from.Canvas(), {0, 0, from.ImageWidth(), from.ImageHeight()});
    canvas_->CopyMode = mode;
}

void TGIFPainter::PaintFrameBuffered() {
    if (!TargetStillValid()) return terminated_.store(true);
    const TRect whole{0, 0, backupBitmap_->ImageWidth(), backupBitmap_->ImageHeight()};
    if ((Options & goResetOnLoop) && ActiveFrame() == 0) RestoreFrameArea();
    // A reserved disposal method paints nothing, except on the first frame, which is painted as
    // one that is not disposed of so that a picture never shows without its first frame.
    const int disposal = disposal_ > 3 && ActiveFrame() == 0 ? 0 : disposal_;
    if (disposal <= 2) {
        PaintInFramePalette(backupBitmap_->Canvas(), whole);
        CopyToTarget(*backupBitmap_);
        if (disposal == 2) RestoreFrameArea();
    } else if (disposal == 3 && previousDisposal_ < 2) {
        PaintInFramePalette(*canvas_, rect_);  // the backup keeps the picture from before this frame
    } else if (disposal == 3) {
        CopyFromCanvas(*frameWorkBitmap_, backupBitmap_->Canvas(), whole);
        PaintInFramePalette(frameWorkBitmap_->Canvas(), whole);
        CopyToTarget(*frameWorkBitmap_);
    }
    // A frame that paints nothing has still had its turn.
    firstFramePainted_.store(true);
}

// Puts back, in the backup, what lay under the frame: the target's own earlier content when
// drawing transparently, else the background colour.
void TGIFPainter::RestoreFrameArea() {
    TGIFSubImage& frame = *image_->Images().Frame(ActiveFrame());
    TCanvas& canvas = backupBitmap_->Canvas();
    const TRect whole{0, 0, backupBitmap_->ImageWidth(), backupBitmap_->ImageHeight()};
    gif::ForEachFrameArea(frame, whole, Options & goTileImage, [&](const TRect& area) {
        if (backgroundBitmap_) {
            canvas.CopyMode = platform::SRCCOPY;
            canvas.CopyArea(area, backgroundBitmap_->Canvas(), area);
        } else {
            canvas.FillArea(area);
        }
    });
}
