// BuildSurface: every new surface of a bitmap comes from here, whether resized, converted to
// another depth or kind, or unshared.
#include "graphics/BitmapSurface.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/Bitmap.h"
#include "graphics/BitmapCanvas.h"
#include "graphics/BitmapPalette.h"
#include "graphics/Canvas.h"
#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "graphics/WorkContext.h"

namespace {
constexpr std::uint32_t kInfoHeaderSize = 40;

bool HasNoArea(const platform::DIBSECTION& d) {
    if (d.dsBmih.biSize != 0) return d.dsBmih.biWidth == 0 || d.dsBmih.biHeight == 0;
    return d.dsBm.bmWidth == 0 || d.dsBm.bmHeight == 0;
}

platform::HBITMAP MakeDeviceDependent(const platform::DIBSECTION& d) {
    const int width = d.dsBm.bmWidth, height = std::abs(d.dsBm.bmHeight);
    platform::HBITMAP surface;
    if ((d.dsBm.bmPlanes | d.dsBm.bmBitsPixel) == 1) {
        surface = platform::CreateBitmap(width, height, 1, 1, nullptr);
    } else {
        TScreenDC screen;
        surface = platform::CreateCompatibleBitmap(screen.Handle(), width, height);
    }
    if (!surface) RaiseLastPlatformError();
    return surface;
}

// The colour table of a new DIB section of up to 8 bits.
std::vector<platform::RGBQUAD> NewColorTable(const platform::HBITMAP& source, bool sourceIsSection,
                                             const platform::HPALETTE& newPalette, platform::BITMAPINFO& info) {
    const int bits = info.bmiHeader.biBitCount;
    if (bits == 1 && !sourceIsSection) return {{0, 0, 0, 0}, {0xFF, 0xFF, 0xFF, 0}};
    if (newPalette) return ColorTableFromPalette(newPalette, kMaxPaletteEntries - 1);
    if (!source) return {};
    if (sourceIsSection) {
        auto table = SectionColorTable(source);
        info.bmiHeader.biClrUsed = std::uint32_t(table.size());
        return table;
    }
    platform::BITMAPINFO query;
    query.bmiHeader = info.bmiHeader;
    TScreenDC screen;
    platform::GetDIBits(screen.Handle(), source, 0, 0, nullptr, query, platform::DIB_RGB_COLORS);
    return query.bmiColors;
}

platform::BITMAPINFO SectionInfo(const platform::HBITMAP& source, bool sourceIsSection,
                                 const platform::HPALETTE& newPalette, platform::DIBSECTION& d) {
    d.dsBmih.biSize = kInfoHeaderSize;
    d.dsBmih.biPlanes = 1;
    if (d.dsBmih.biBitCount == 0) d.dsBmih.biBitCount = std::uint16_t(DisplayBitsPerPixel());
    d.dsBm.bmWidth = d.dsBmih.biWidth;
    d.dsBm.bmHeight = d.dsBmih.biHeight;
    platform::BITMAPINFO info;
    info.bmiHeader = d.dsBmih;
    const int bits = d.dsBmih.biBitCount;
    if (bits <= 8) {
        info.bmiColors = NewColorTable(source, sourceIsSection, newPalette, info);
        d.dsBmih.biClrUsed = info.bmiHeader.biClrUsed;
    } else if ((bits == 16 || bits == 32) && d.dsBmih.biCompression == platform::BI_BITFIELDS) {
        if (d.dsBitfields == std::array<std::uint32_t, 3>{}) d.dsBitfields = DefaultMasks(bits);
        info.bmiMasks = d.dsBitfields;
    }
    return info;
}

platform::HBITMAP MakeSection(const platform::BITMAPINFO& info, void** bits) {
    TScreenDC screen;
    platform::HBITMAP section = platform::CreateDIBSection(screen.Handle(), info, platform::DIB_RGB_COLORS, bits);
    if (!section || !*bits) RaiseLastPlatformError();
    return section;
}

// Clears the new surface: the canvas's brush with its colours, or white.
void ClearSurface(const platform::HDC& dc, const platform::DIBSECTION& d, TCanvas* canvas) {
    const int width = d.dsBm.bmWidth, height = std::abs(d.dsBm.bmHeight);
    if (!canvas) {
        platform::PatBlt(dc, 0, 0, width, height, platform::WHITENESS);
        return;
    }
    platform::FillRect(dc, TRect{0, 0, width, height}, canvas->Brush().Handle());
    const platform::COLORREF text = ColorToRGB(canvas->Font().Color());
    const platform::COLORREF back = ColorToRGB(canvas->Brush().Color());
    platform::SetTextColor(dc, text);
    platform::SetBkColor(dc, back);
    if (d.dsBmih.biSize != 0 && d.dsBmih.biBitCount == 1) {
        const platform::RGBQUAD two[2] = {
            {platform::GetBValue(text), platform::GetGValue(text), platform::GetRValue(text), 0},
            {platform::GetBValue(back), platform::GetGValue(back), platform::GetRValue(back), 0}};
        platform::SetDIBColorTable(dc, 0, 2, two);
    }
}

void CopySourcePixels(const platform::HDC& dc, const platform::HBITMAP& source, const platform::DIBSECTION& from,
                      const platform::DIBSECTION& to, const platform::HPALETTE& oldPalette, TCanvas* canvas) {
    TWorkDC work;
    if (!platform::SelectObject(work.Handle(), source)) RaiseLastPlatformError();
    if (oldPalette) {
        platform::SelectPalette(work.Handle(), oldPalette, true);
        platform::RealizePalette(work.Handle());
    }
    if (canvas) {
        platform::SetTextColor(work.Handle(), ColorToRGB(canvas->Font().Color()));
        platform::SetBkColor(work.Handle(), ColorToRGB(canvas->Brush().Color()));
    }
    const int width = std::min(from.dsBm.bmWidth, to.dsBm.bmWidth);
    const int height = std::min(std::abs(from.dsBm.bmHeight), std::abs(to.dsBm.bmHeight));
    platform::BitBlt(dc, 0, 0, width, height, work.Handle(), 0, 0, platform::SRCCOPY);
}

void Refresh(platform::DIBSECTION& d, const platform::HBITMAP& surface) {
    int reported = 0;
    const platform::DIBSECTION now = DescribeSurface(surface, &reported);
    if (reported == int(sizeof(platform::DIBSECTION))) d = now;
    else d.dsBm = now.dsBm;  // a device-dependent surface leaves the header part as it was
}

bool SameSize(const platform::DIBSECTION& a, const platform::DIBSECTION& b) {
    return a.dsBm.bmWidth == b.dsBm.bmWidth && std::abs(a.dsBm.bmHeight) == std::abs(b.dsBm.bmHeight);
}
}  // namespace

platform::DIBSECTION DescribeSurface(const platform::HBITMAP& surface, int* reported) {
    platform::DIBSECTION d{};
    const int n = surface ? platform::GetObject(surface, int(sizeof d), &d) : 0;
    if (reported) *reported = n;
    return d;
}

std::array<std::uint32_t, 3> DefaultMasks(int bitsPerPixel) {
    if (bitsPerPixel == 16) return {0xF800, 0x07E0, 0x001F};
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

std::int64_t RowBytes(std::int64_t width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

platform::HBITMAP BuildSurface(const platform::HBITMAP& source, const platform::HPALETTE& oldPalette,
                               const platform::HPALETTE& newPalette, platform::DIBSECTION& description,
                               TCanvas* canvas) {
    if (HasNoArea(description)) return nullptr;
    TBitmapCanvas::ReleaseContextsHolding(source);
    platform::DIBSECTION from{};
    if (source) {
        int reported = 0;
        from = DescribeSurface(source, &reported);
        if (reported < int(sizeof(platform::BITMAP))) throw EInvalidGraphic(msg::SInvalidBitmap);
    }
    const bool sourceIsSection = source && from.dsBm.bmBits;
    platform::HBITMAP surface;
    if (description.dsBmih.biSize < kInfoHeaderSize) {
        surface = MakeDeviceDependent(description);
    } else {
        const platform::BITMAPINFO info = SectionInfo(source, sourceIsSection, newPalette, description);
        void* bits = nullptr;
        surface = MakeSection(info, &bits);
        if (source && SameSize(from, description) && description.dsBmih.biBitCount > 8) {
            TScreenDC screen;
            platform::BITMAPINFO target = info;
            platform::GetDIBits(screen.Handle(), source, 0, unsigned(std::abs(description.dsBmih.biHeight)), bits,
                                target, platform::DIB_RGB_COLORS);
            Refresh(description, surface);
            return surface;
        }
    }
    Refresh(description, surface);
    TWorkDC work;
    if (!platform::SelectObject(work.Handle(), surface)) RaiseLastPlatformError();
    if (newPalette) {
        platform::SelectPalette(work.Handle(), newPalette, true);
        platform::RealizePalette(work.Handle());
    }
    ClearSurface(work.Handle(), description, canvas);
    if (source) CopySourcePixels(work.Handle(), source, from, description, oldPalette, canvas);
    return surface;
}
