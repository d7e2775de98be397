// Drawing a bitmap into a canvas: the stretch mode by depth, and transparent drawing through
// a monochrome mask.
#include <cstdlib>

#include "graphics/Bitmap.h"
#include "graphics/BitmapCanvas.h"
#include "graphics/BitmapImage.h"
#include "graphics/Exceptions.h"
#include "graphics/PaletteSelection.h"
#include "graphics/TransparentBlit.h"
#include "graphics/WorkContext.h"

namespace {

constexpr platform::COLORREF kRgbMask = 0x00FFFFFF;

platform::HBITMAP BuildMask(const platform::HBITMAP& surface, int width, int height, TColor transparent) {
    platform::HBITMAP mask = platform::CreateBitmap(width, height, 1, 1, nullptr);
    if (!mask) RaiseLastPlatformError();
    TWorkDC maskDC;
    platform::SelectObject(maskDC.Handle(), mask);
    if (transparent == clNone || !surface) {
        platform::PatBlt(maskDC.Handle(), 0, 0, width, height, platform::BLACKNESS);
        return mask;
    }
    TWorkDC source;
    if (!platform::SelectObject(source.Handle(), surface)) RaiseLastPlatformError();
    platform::SetBkColor(source.Handle(), ColorToRGB(transparent) & kRgbMask);
    platform::BitBlt(maskDC.Handle(), 0, 0, width, height, source.Handle(), 0, 0, platform::SRCCOPY);
    return mask;
}
}  // namespace

void TBitmap::DrawInto(TCanvas& canvas, const TRect& rect) {
    canvas.EnsureState(TCanvas::csAllValid);
    EnsurePalette();
    const platform::HDC dc = canvas.Handle();
    TPaletteSelection selection(dc, image_->palette);
    const int target = platform::GetDeviceCaps(dc, platform::BITSPIXEL) * platform::GetDeviceCaps(dc, platform::PLANES);
    if (target <= 8 && target < BitsPerPixel()) {
        platform::POINT origin;
        platform::GetBrushOrgEx(dc, &origin);
        platform::SetStretchBltMode(dc, platform::HALFTONE);
        platform::SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    } else if (!IsMonochrome()) {
        platform::SetStretchBltMode(dc, platform::COLORONCOLOR);
    }
    if (IsEmpty() || ImageWidth() == 0 || ImageHeight() == 0) return;
    if (IsTransparent()) DrawTransparent(canvas, rect);
    else DrawStretched(canvas, rect);
}

void TBitmap::DrawStretched(TCanvas& target, const TRect& rect) {
    const platform::HDC source = Canvas().Handle();
    platform::StretchBlt(target.Handle(), rect.left, rect.top, rect.Width(), rect.Height(), source, 0, 0, ImageWidth(),
                         ImageHeight(), target.CopyMode);
}

void TBitmap::DrawTransparent(TCanvas& target, const TRect& rect) {
    const platform::HBITMAP mask = MaskSurface();
    TWorkDC maskDC;
    platform::SelectObject(maskDC.Handle(), mask);
    const TBlitArea to{target.Handle(), rect.left, rect.top, rect.Width(), rect.Height()};
    const TBlitArea from{Canvas().Handle(), 0, 0, ImageWidth(), ImageHeight()};
    TransparentBlit(to, from, image_->palette, maskDC.Handle(), 0, 0);
}

TColor TBitmap::TransparentColor() {
    if (IsMonochrome()) return clWhite;
    if (IsEmpty() || ImageHeight() == 0 || ImageWidth() == 0) return clNone;
    return Canvas().PixelAt(0, ImageHeight() - 1) | TColor(platform::PALETTE_RELATIVE);
}

HBITMAP TBitmap::MaskSurface() {
    if (maskBitsValid_ && maskValid_) return image_->mask;
    image_->mask.reset();
    const TColor transparent = TransparentColor();
    FreeCanvasContext();
    EnsureHandle();
    image_->mask = BuildMask(image_->handle, ImageWidth(), ImageHeight(), transparent);
    maskBitsValid_ = maskValid_ = true;
    return image_->mask;
}
