// Making surfaces and describing them: CreateCompatibleBitmap, CreateBitmap, CreateDIBSection,
// GetObject and the colour table of a selected DIB section.
#include <algorithm>
#include <cstring>

#include "platform/DeviceContext.h"
#include "platform/DibLayout.h"
#include "platform/Surface.h"

namespace platform {

namespace {
HBITMAP Refuse() {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}
}  // namespace

HBITMAP CreateCompatibleBitmap(const HDC&, int width, int height) {
    return Surface::MakeDisplayCompatible(width, height);
}

HBITMAP CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel, const void* bits) {
    if (planes == 0 || planes > 32 || bitsPerPixel > 32) return Refuse();
    const unsigned depth = planes * bitsPerPixel;
    HBITMAP surface = Surface::Make(DeviceSurfaceDesc(width, height, int(depth)));
    // Device-dependent rows are padded to 2 bytes, as the caller's bits are.
    if (surface && bits) std::memcpy(surface->Bits(), bits, surface->ByteSize());
    return surface;
}

HBITMAP CreateDIBSection(const HDC&, const BITMAPINFO& info, std::uint32_t usage, void** bits) {
    if (bits) *bits = nullptr;
    const BITMAPINFOHEADER& h = info.bmiHeader;
    if (usage != DIB_RGB_COLORS || (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)) return Refuse();
    const auto layout = LayoutOf(h, info.bmiMasks);
    if (!layout) {
        SetLastError(h.biWidth > 0 && h.biHeight != 0 ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    SurfaceDesc desc{
        layout->width,   layout->height,      layout->bitsPerPixel, true,
        layout->topDown, layout->compression, layout->masks,        ColorTableOf(info, layout->bitsPerPixel)};
    HBITMAP surface = Surface::Make(std::move(desc));
    if (surface && bits) *bits = surface->Bits();
    return surface;
}

namespace {
BITMAP BitmapPart(Surface& s) {
    BITMAP bm;
    bm.bmWidth = s.Width();
    bm.bmHeight = s.Height();
    bm.bmWidthBytes = std::int32_t(s.Stride());
    bm.bmPlanes = 1;
    bm.bmBitsPixel = std::uint16_t(s.BitsPerPixel());
    bm.bmBits = s.IsDib() ? s.Bits() : nullptr;
    return bm;
}

DIBSECTION SectionOf(Surface& s) {
    DIBSECTION ds{};
    ds.dsBm = BitmapPart(s);
    BITMAPINFOHEADER& h = ds.dsBmih;
    h.biSize = 40;
    h.biWidth = s.Width();
    h.biHeight = s.TopDown() ? -s.Height() : s.Height();
    h.biPlanes = 1;
    h.biBitCount = std::uint16_t(s.BitsPerPixel());
    h.biCompression = s.Compression();
    h.biSizeImage = std::uint32_t(s.ByteSize());
    // The masks are reported for BI_RGB too, as the original platform does for 16 and 32 bits.
    if (s.BitsPerPixel() == 16 || s.BitsPerPixel() == 32) ds.dsBitfields = s.Masks();
    return ds;
}
}  // namespace

int GetObject(const HBITMAP& bitmap, int size, void* buffer) {
    if (!bitmap) return 0;
    const bool section = bitmap->IsDib() && size >= int(sizeof(DIBSECTION));
    const int needed = section ? int(sizeof(DIBSECTION)) : int(sizeof(BITMAP));
    if (!buffer) return needed;
    if (size < int(sizeof(BITMAP))) return 0;
    if (section) {
        const DIBSECTION ds = SectionOf(*bitmap);
        std::memcpy(buffer, &ds, sizeof ds);
    } else {
        const BITMAP bm = BitmapPart(*bitmap);
        std::memcpy(buffer, &bm, sizeof bm);
    }
    return needed;
}

namespace {
Surface* SelectedSection(const HDC& dc) {
    Surface* s = dc ? dc->Target() : nullptr;
    return s && s->IsDib() && s->BitsPerPixel() <= 8 ? s : nullptr;
}
}  // namespace

unsigned GetDIBColorTable(const HDC& dc, unsigned start, unsigned count, RGBQUAD* colors) {
    Surface* s = SelectedSection(dc);
    if (!s || !colors || start >= s->Colors().Size()) return 0;
    const unsigned n = std::min<unsigned>(count, unsigned(s->Colors().Size()) - start);
    for (unsigned i = 0; i < n; ++i) colors[i] = QuadFromRgb(s->Colors().At(start + i));
    return n;
}

unsigned SetDIBColorTable(const HDC& dc, unsigned start, unsigned count, const RGBQUAD* colors) {
    Surface* s = SelectedSection(dc);
    if (!s || !colors || start >= s->Colors().Size()) return 0;
    const unsigned n = std::min<unsigned>(count, unsigned(s->Colors().Size()) - start);
    for (unsigned i = 0; i < n; ++i) s->Colors().Set(start + i, RgbFromQuad(colors[i]));
    return n;
}

}  // namespace platform
