// The icon service: making, inspecting and drawing icons, and the application's stock icon.
#include "platform/Icons.h"

#include <mutex>

#include "platform/DeviceContext.h"
#include "platform/Surface.h"

namespace platform {

int Icon::Width() const { return color_->Width(); }
int Icon::Height() const { return color_->Height(); }

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXICON:
    case SM_CYICON: return Display().iconSize;
    default: return 0;
    }
}

namespace {

// A device-dependent copy of `source` (any format): monochrome for a mask, else the display's.
HBITMAP CopyAsDevice(const HBITMAP& source, bool monochrome) {
    if (!source) return nullptr;
    HBITMAP copy = monochrome ? Surface::MakeMonochrome(source->Width(), source->Height())
                              : Surface::MakeDisplayCompatible(source->Width(), source->Height());
    if (!copy) return nullptr;
    // A surface selected into a context is read through that context, which stays the caller's.
    DeviceContext* holder = source->selectedIn;
    const HDC from = holder ? HDC(HDC(), holder) : CreateCompatibleDC(nullptr);
    const HDC to = CreateCompatibleDC(nullptr);
    const bool copied = (holder || SelectObject(from, source)) && SelectObject(to, copy) &&
                        BitBlt(to, 0, 0, copy->Width(), copy->Height(), from, 0, 0, SRCCOPY);
    if (!holder) DeleteDC(from);
    DeleteDC(to);
    return copied ? copy : nullptr;
}

HICON Refuse() {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

}  // namespace

HICON CreateIcon(int width, int height, unsigned planes, unsigned bitsPixel, const void* andBits, const void* xorBits) {
    if (!andBits || !xorBits) return Refuse();
    HBITMAP mask = CreateBitmap(width, height, 1, 1, andBits);
    HBITMAP color = CreateBitmap(width, height, planes, bitsPixel, xorBits);
    if (!mask || !color) return nullptr;
    // The colour is kept in the display's format so drawing never converts it again.
    return std::make_shared<Icon>(CopyAsDevice(color, false), std::move(mask));
}

HICON CreateIconIndirect(const ICONINFO& info) {
    if (!info.hbmColor || !info.hbmMask || info.hbmColor->Width() != info.hbmMask->Width() ||
        info.hbmColor->Height() != info.hbmMask->Height())
        return Refuse();
    HBITMAP color = CopyAsDevice(info.hbmColor, false);
    HBITMAP mask = CopyAsDevice(info.hbmMask, true);
    if (!color || !mask) return nullptr;
    return std::make_shared<Icon>(std::move(color), std::move(mask));
}

bool DestroyIcon(const HICON& icon) { return bool(icon); }

bool GetIconInfo(const HICON& icon, ICONINFO* info) {
    if (!icon || !info) return false;
    info->fIcon = true;
    info->xHotspot = std::uint32_t(icon->Width() / 2);
    info->yHotspot = std::uint32_t(icon->Height() / 2);
    info->hbmColor = CopyAsDevice(icon->Color(), false);
    info->hbmMask = CopyAsDevice(icon->Mask(), true);
    return info->hbmColor && info->hbmMask;
}

namespace {

// Blits one of the icon's bitmaps onto the target, stretched to the drawn size.
bool BlitPart(const HDC& dc, int x, int y, int width, int height, const HBITMAP& part, std::uint32_t rop) {
    const HDC source = CreateCompatibleDC(nullptr);
    bool done = false;
    if (SelectObject(source, part))
        done = StretchBlt(dc, x, y, width, height, source, 0, 0, part->Width(), part->Height(), rop);
    DeleteDC(source);
    return done;
}

}  // namespace

bool DrawIconEx(const HDC& dc, int x, int y, const HICON& icon, int width, int height, unsigned, const HBRUSH&,
                unsigned flags) {
    if (!dc || !icon || !(flags & DI_NORMAL)) return false;
    if (width == 0) width = icon->Width();
    if (height == 0) height = icon->Height();
    // The mask's 0 bits blit as the text colour and its 1 bits as the background colour.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF background = SetBkColor(dc, RGB(255, 255, 255));
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    bool done = true;
    if (flags & DI_MASK) done = BlitPart(dc, x, y, width, height, icon->Mask(), (flags & DI_IMAGE) ? SRCAND : SRCCOPY);
    if (done && (flags & DI_IMAGE))
        done = BlitPart(dc, x, y, width, height, icon->Color(), (flags & DI_MASK) ? SRCINVERT : SRCCOPY);
    SetStretchBltMode(dc, mode);
    SetBkColor(dc, background);
    SetTextColor(dc, text);
    return done;
}

namespace {

std::mutex applicationIconLock;
HICON applicationIcon;

// A plain window: a white client area under a blue title bar, framed in black.
HICON PlainWindowIcon() {
    constexpr int size = 32;
    HBITMAP color = Surface::MakeDisplayCompatible(size, size);
    HBITMAP mask = Surface::MakeMonochrome(size, size);
    if (!color || !mask) return nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, color);
    PatBlt(dc, 1, 1, size - 2, size - 2, WHITENESS);
    const HBRUSH title = CreateBrushIndirect(LOGBRUSH{BS_SOLID, RGB(0, 0, 128), 0});
    FillRect(dc, RECT{1, 1, size - 1, 7}, title);
    DeleteDC(dc);
    return std::make_shared<Icon>(std::move(color), std::move(mask));
}

}  // namespace

HICON LoadIcon(std::nullptr_t, int name) {
    if (name != IDI_APPLICATION) return Refuse();
    std::lock_guard lock(applicationIconLock);
    if (!applicationIcon) applicationIcon = PlainWindowIcon();
    return applicationIcon;
}

void SetApplicationIcon(HICON icon) {
    std::lock_guard lock(applicationIconLock);
    applicationIcon = std::move(icon);
}

}  // namespace platform
