#include "graphics/TransparentBlit.h"

#include "graphics/BitmapPalette.h"
#include "graphics/Exceptions.h"
#include "graphics/WorkContext.h"

namespace {
constexpr std::uint32_t kKeepTarget = 0x00AA0029;  // D: the ROP3 that leaves the target as it is

void MaskedCopy(const TBlitArea& target, const TBlitArea& source, const platform::HDC& maskDC, int maskX, int maskY) {
    // The mask surface cannot serve as mask while it is selected in a context.
    const platform::HBITMAP stand = platform::CreateBitmap(1, 1, 1, 1, nullptr);
    const platform::HBITMAP mask = platform::SelectObject(maskDC, stand);
    platform::MaskBlt(target.dc, target.x, target.y, target.width, target.height, source.dc, source.x, source.y, mask,
                      maskX, maskY, platform::MAKEROP4(kKeepTarget, platform::SRCCOPY));
    platform::SelectObject(maskDC, mask);
}

// Source where the mask is clear, black where it is set.
platform::HBITMAP MaskedSource(const TBlitArea& source, const platform::HPALETTE& sourcePalette,
                               const platform::HDC& maskDC, int maskX, int maskY, TWorkDC& work) {
    TScreenDC screen;
    platform::HBITMAP surface = platform::CreateCompatibleBitmap(screen.Handle(), source.width, source.height);
    if (!surface) RaiseLastPlatformError();
    platform::SelectObject(work.Handle(), surface);
    platform::SelectPalette(work.Handle(), sourcePalette ? sourcePalette : StandardPalette16(), true);
    platform::RealizePalette(work.Handle());
    platform::BitBlt(work.Handle(), 0, 0, source.width, source.height, maskDC, maskX, maskY, platform::SRCCOPY);
    platform::BitBlt(work.Handle(), 0, 0, source.width, source.height, source.dc, source.x, source.y,
                     platform::SRCERASE);
    return surface;
}
}  // namespace

void TransparentBlit(const TBlitArea& target, const TBlitArea& source, const platform::HPALETTE& sourcePalette,
                     const platform::HDC& maskDC, int maskX, int maskY) {
    if (target.width == source.width && target.height == source.height) {
        MaskedCopy(target, source, maskDC, maskX, maskY);
        return;
    }
    TWorkDC work;
    const platform::HBITMAP surface = MaskedSource(source, sourcePalette, maskDC, maskX, maskY, work);
    const platform::COLORREF text = platform::SetTextColor(target.dc, platform::RGB(0, 0, 0));
    const platform::COLORREF back = platform::SetBkColor(target.dc, platform::RGB(0xFF, 0xFF, 0xFF));
    platform::StretchBlt(target.dc, target.x, target.y, target.width, target.height, maskDC, maskX, maskY, source.width,
                         source.height, platform::SRCAND);
    platform::StretchBlt(target.dc, target.x, target.y, target.width, target.height, work.Handle(), 0, 0, source.width,
                         source.height, platform::SRCINVERT);
    platform::SetTextColor(target.dc, text);
    platform::SetBkColor(target.dc, back);
}
