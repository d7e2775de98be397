#include "platform/DeviceContext.h"

#include "platform/GdiObjects.h"
#include "platform/Palette.h"
#include "platform/Surface.h"

namespace platform {

namespace {
constexpr int kNullRegion = 1;
constexpr int kSimpleRegion = 2;
constexpr int kError = 0;

HBRUSH StockWhiteBrush() {
    static const HBRUSH brush = CreateBrushIndirect(LOGBRUSH{BS_SOLID, 0xFFFFFF, 0});
    return brush;
}
HPEN StockBlackPen() {
    static const HPEN pen = CreatePenIndirect(LOGPEN{PS_SOLID, 1, 0});
    return pen;
}
HFONT StockSystemFont() {
    static const HFONT font = [] {
        LOGFONT f;
        f.lfHeight = -13;
        f.lfWeight = 700;
        return CreateFontIndirect(f);
    }();
    return font;
}
}  // namespace

DeviceContext::DeviceContext(bool display)
    : pen(StockBlackPen()), brush(StockWhiteBrush()), font(StockSystemFont()), palette(GetDefaultPalette()),
      display_(display) {
    if (!display) Select(Surface::MakeMonochrome(1, 1));
}

DeviceContext::~DeviceContext() { Release(); }

bool DeviceContext::Select(const HBITMAP& surface) {
    if (surface && surface->selectedIn && surface->selectedIn != this) return false;
    if (bitmap && bitmap->selectedIn == this) bitmap->selectedIn = nullptr;
    bitmap = surface;
    if (bitmap) bitmap->selectedIn = this;
    return true;
}

void DeviceContext::Release() {
    if (bitmap && bitmap->selectedIn == this) bitmap->selectedIn = nullptr;
    bitmap.reset();
}

HDC GetDC(std::nullptr_t) { return std::make_shared<DeviceContext>(true); }
int ReleaseDC(std::nullptr_t, const HDC& dc) { return dc ? 1 : 0; }

HDC CreateCompatibleDC(const HDC&) { return std::make_shared<DeviceContext>(false); }

bool DeleteDC(const HDC& dc) {
    if (!dc) return false;
    dc->Release();
    return true;
}

// A surface still selected into a context cannot go, as on the original platform; other objects
// live on in the contexts that hold them, so dropping one is always allowed.
bool DeleteObject(const HBITMAP& bitmap) { return bitmap && !bitmap->selectedIn; }
bool DeleteObject(const HPALETTE& palette) { return bool(palette); }
bool DeleteObject(const HPEN& pen) { return bool(pen); }
bool DeleteObject(const HBRUSH& brush) { return bool(brush); }
bool DeleteObject(const HFONT& font) { return bool(font); }

int GetDeviceCaps(const HDC& dc, int index) {
    const Surface* target = dc ? dc->Target() : nullptr;
    const int displayBits = Display().bitsPerPixel * Display().planes;
    switch (index) {
    case BITSPIXEL: return target ? target->BitsPerPixel() : Display().bitsPerPixel;
    case PLANES: return target ? 1 : Display().planes;
    case NUMCOLORS: return displayBits <= 8 ? 20 : -1;
    case SIZEPALETTE: return displayBits <= 8 ? 1 << displayBits : 0;
    case RASTERCAPS: return displayBits <= 8 ? RC_PALETTE : 0;
    case LOGPIXELSX:
    case LOGPIXELSY: return Display().pixelsPerInch;
    default: return 0;
    }
}

bool GdiFlush() { return true; }

HBITMAP SelectObject(const HDC& dc, const HBITMAP& bitmap) {
    if (!dc || !bitmap || dc->IsDisplay()) return nullptr;
    HBITMAP previous = dc->bitmap;
    return dc->Select(bitmap) ? previous : nullptr;
}

namespace {
template <class Handle>
Handle Swap(const HDC& dc, Handle DeviceContext::*slot, const Handle& object) {
    if (!dc || !object) return nullptr;
    Handle previous = (*dc).*slot;
    (*dc).*slot = object;
    return previous;
}
}  // namespace

HPEN SelectObject(const HDC& dc, const HPEN& pen) { return Swap(dc, &DeviceContext::pen, pen); }
HBRUSH SelectObject(const HDC& dc, const HBRUSH& brush) { return Swap(dc, &DeviceContext::brush, brush); }
HFONT SelectObject(const HDC& dc, const HFONT& font) { return Swap(dc, &DeviceContext::font, font); }
HPALETTE SelectPalette(const HDC& dc, const HPALETTE& palette, bool) {
    return Swap(dc, &DeviceContext::palette, palette);
}

unsigned RealizePalette(const HDC& dc) {
    // A true-colour display has no hardware palette to load; a palette display takes every entry.
    if (!dc || !dc->palette || !PaletteDisplay()) return 0;
    return unsigned(dc->palette->Entries().size());
}

HBITMAP GetCurrentBitmap(const HDC& dc) { return dc ? dc->bitmap : nullptr; }
HPEN GetCurrentPen(const HDC& dc) { return dc ? dc->pen : nullptr; }
HBRUSH GetCurrentBrush(const HDC& dc) { return dc ? dc->brush : nullptr; }
HFONT GetCurrentFont(const HDC& dc) { return dc ? dc->font : nullptr; }

namespace {
template <class Value>
Value Exchange(const HDC& dc, Value DeviceContext::*slot, Value value, Value failure) {
    if (!dc) return failure;
    Value previous = (*dc).*slot;
    (*dc).*slot = value;
    return previous;
}
}  // namespace

COLORREF SetBkColor(const HDC& dc, COLORREF color) { return Exchange(dc, &DeviceContext::bkColor, color, CLR_INVALID); }
COLORREF GetBkColor(const HDC& dc) { return dc ? dc->bkColor : CLR_INVALID; }
COLORREF SetTextColor(const HDC& dc, COLORREF color) {
    return Exchange(dc, &DeviceContext::textColor, color, CLR_INVALID);
}
COLORREF GetTextColor(const HDC& dc) { return dc ? dc->textColor : CLR_INVALID; }

int SetBkMode(const HDC& dc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return Exchange(dc, &DeviceContext::bkMode, mode, 0);
}

int SetStretchBltMode(const HDC& dc, int mode) {
    if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
    return Exchange(dc, &DeviceContext::stretchMode, mode, 0);
}
int GetStretchBltMode(const HDC& dc) { return dc ? dc->stretchMode : 0; }

bool GetBrushOrgEx(const HDC& dc, POINT* point) {
    if (!dc || !point) return false;
    *point = dc->brushOrigin;
    return true;
}

bool SetBrushOrgEx(const HDC& dc, int x, int y, POINT* previous) {
    if (!dc) return false;
    if (previous) *previous = dc->brushOrigin;
    dc->brushOrigin = POINT{x, y};
    return true;
}

int GetClipBox(const HDC& dc, RECT* rect) {
    if (!dc || !rect) return kError;
    const Surface* target = dc->Target();
    *rect = target ? target->Bounds() : RECT{};
    return target ? kSimpleRegion : kNullRegion;
}

bool MoveToEx(const HDC& dc, int x, int y, POINT* previous) {
    if (!dc) return false;
    if (previous) *previous = dc->penPosition;
    dc->penPosition = POINT{x, y};
    return true;
}

}  // namespace platform
