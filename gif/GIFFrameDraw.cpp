#include "gif/GIFFrameDraw.h"

#include <cmath>

#include "gif/GIFImage.h"
#include "gif/GIFMessages.h"
#include "gif/GIFRenderState.h"
#include "graphics/Bitmap.h"
#include "graphics/TransparentBlit.h"
#include "graphics/WorkContext.h"

namespace gif {
namespace {

int Scaled(int origin, std::int64_t offset, int extent, int screen) {
    return origin + int(std::lround(double(offset) * extent / screen));
}
// The frame's bitmap stretched into the target, through its mask when drawn transparently.
void StretchFrame(TGIFSubImage& frame, TBitmap& bitmap, TCanvas& canvas, const TRect& target, bool transparent) {
    const platform::HBITMAP& mask = frame.Cache().Mask;
    if (!transparent || !mask) return canvas.StretchDrawGraphic(target, &bitmap);
    canvas.EnsureState(TCanvas::csAllValid);
    canvas.Changing();
    TWorkDC maskDC;
    platform::SelectObject(maskDC.Handle(), mask);
    const TBlitArea to{canvas.Handle(), target.left, target.top, target.right - target.left,
                       target.bottom - target.top};
    const TBlitArea from{bitmap.Canvas().Handle(), 0, 0, frame.Width(), frame.Height()};
    TransparentBlit(to, from, bitmap.PaletteHandle(), maskDC.Handle(), 0, 0);
    canvas.Changed();
}

}  // namespace

// A frame reaching past the screen maps past the rectangle and is clipped there, as the screen
// clips it; a screen of size 0 stands for the frame's own extent.
TRect MapFrameRect(TGIFSubImage& frame, const TRect& rect) {
    TGIFImage& image = *frame.Image();
    const int screenWidth = image.ImageWidth() > 0 ? image.ImageWidth() : frame.Left() + frame.Width();
    const int screenHeight = image.ImageHeight() > 0 ? image.ImageHeight() : frame.Top() + frame.Height();
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    return {Scaled(rect.left, frame.Left(), w, screenWidth), Scaled(rect.top, frame.Top(), h, screenHeight),
            Scaled(rect.left, frame.Left() + frame.Width(), w, screenWidth),
            Scaled(rect.top, frame.Top() + frame.Height(), h, screenHeight)};
}

void ForEachTile(const TRect& rect, int width, int height, const std::function<void(const TRect&)>& tile) {
    if (width <= 0 || height <= 0) return;
    for (int x = rect.left; x < rect.right; x += width)
        for (int y = rect.top; y < rect.bottom; y += height) tile({x, y, x + width, y + height});
}

void ForEachFrameArea(TGIFSubImage& frame, const TRect& rect, bool tile,
                      const std::function<void(const TRect&)>& area) {
    if (!tile) return area(MapFrameRect(frame, rect));
    TGIFImage& image = *frame.Image();
    const TRect corners{rect.left + frame.Left(), rect.top + frame.Top(), rect.right, rect.bottom};
    ForEachTile(corners, image.ImageWidth(), image.ImageHeight(), [&](const TRect& t) {
        area({t.left, t.top, t.left + frame.Width(), t.top + frame.Height()});
    });
}

void DrawFrame(TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool transparent) {
    DrawFrame(frame, canvas, rect, transparent, false);
}

void DrawFrame(TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool transparent, bool tile) {
    TBitmap* bitmap = FrameBitmap(frame);
    if (!bitmap) return;
    ForEachFrameArea(frame, rect, tile,
                     [&](const TRect& target) { StretchFrame(frame, *bitmap, canvas, target, transparent); });
}

}  // namespace gif
