#pragma once
// The raster service: our stand-in for the Windows drawing services the picture model calls.
// Operations carry the names of the Windows calls they replace; handles are shared pointers to
// typed objects, a null pointer being the handle 0.

#include <cstddef>
#include <memory>
#include <string>

#include "platform/GdiTypes.h"

namespace platform {

class GdiObject {
public:
    virtual ~GdiObject() = default;
};

class Surface;  // a device-dependent bitmap or a DIB section
class Palette;  // a logical palette
class Pen;
class Brush;
class Font;
class DeviceContext;  // a drawing context: selected objects, colours, modes

using HGDIOBJ = std::shared_ptr<GdiObject>;
using HBITMAP = std::shared_ptr<Surface>;
using HPALETTE = std::shared_ptr<Palette>;
using HPEN = std::shared_ptr<Pen>;
using HBRUSH = std::shared_ptr<Brush>;
using HFONT = std::shared_ptr<Font>;
using HDC = std::shared_ptr<DeviceContext>;

// ---- The display ------------------------------------------------------------------------
// True colour by default: 32 bits per pixel, one plane, no hardware palette, 96 pixels per inch.
// Tests may switch to a palette display (8 bits) to run the palette paths; change it only while
// no device-dependent surface made under the previous setting is in use.
struct DisplaySettings {
    int bitsPerPixel = 32;
    int planes = 1;
    int pixelsPerInch = 96;
    int iconSize = 32;
};
DisplaySettings& Display();
bool PaletteDisplay();  // the display has a hardware palette (8 bits per pixel or fewer)

// System colours by index (COLOR_WINDOW 5, COLOR_WINDOWTEXT 8, COLOR_HIGHLIGHT 13,
// COLOR_HIGHLIGHTTEXT 14, COLOR_BTNFACE 15, ...), as a classic Windows desktop has them.
COLORREF GetSysColor(int index);

// ---- Errors -------------------------------------------------------------------------------
// Each thread has its last error code; a failing call sets it (0 when the reason is unknown).
void SetLastError(std::uint32_t code);
std::uint32_t GetLastError();
std::string SystemErrorMessage(std::uint32_t code);  // the system's text for an error code

constexpr std::uint32_t ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr std::uint32_t ERROR_INVALID_PARAMETER = 87;

// ---- Device contexts ----------------------------------------------------------------------
HDC GetDC(std::nullptr_t);  // a context of the display
int ReleaseDC(std::nullptr_t, const HDC& dc);
HDC CreateCompatibleDC(const HDC& reference);  // memory context holding a 1 x 1 monochrome bitmap
bool DeleteDC(const HDC& dc);
// BITSPIXEL and PLANES of a memory context describe the surface selected into it.
int GetDeviceCaps(const HDC& dc, int index);
bool GdiFlush();
// Drops a handle; false for none and for a surface still selected into a context.
bool DeleteObject(const HBITMAP& bitmap);
bool DeleteObject(const HPALETTE& palette);
bool DeleteObject(const HPEN& pen);
bool DeleteObject(const HBRUSH& brush);
bool DeleteObject(const HFONT& font);

HBITMAP SelectObject(const HDC& dc, const HBITMAP& bitmap);  // null when the surface is selected elsewhere
HPEN SelectObject(const HDC& dc, const HPEN& pen);
HBRUSH SelectObject(const HDC& dc, const HBRUSH& brush);
HFONT SelectObject(const HDC& dc, const HFONT& font);
HBITMAP GetCurrentBitmap(const HDC& dc);
HPEN GetCurrentPen(const HDC& dc);
HBRUSH GetCurrentBrush(const HDC& dc);
HFONT GetCurrentFont(const HDC& dc);
HPALETTE SelectPalette(const HDC& dc, const HPALETTE& palette, bool forceBackground);
unsigned RealizePalette(const HDC& dc);

COLORREF SetBkColor(const HDC& dc, COLORREF color);  // returns the previous colour
COLORREF GetBkColor(const HDC& dc);
COLORREF SetTextColor(const HDC& dc, COLORREF color);
COLORREF GetTextColor(const HDC& dc);
int SetBkMode(const HDC& dc, int mode);
int SetStretchBltMode(const HDC& dc, int mode);  // returns the previous mode
int GetStretchBltMode(const HDC& dc);
bool GetBrushOrgEx(const HDC& dc, POINT* point);
bool SetBrushOrgEx(const HDC& dc, int x, int y, POINT* previous);
int GetClipBox(const HDC& dc, RECT* rect);  // the selected surface's bounds
bool MoveToEx(const HDC& dc, int x, int y, POINT* previous);

// ---- Surfaces -----------------------------------------------------------------------------
HBITMAP CreateCompatibleBitmap(const HDC& dc, int width, int height);  // display format, zeroed
HBITMAP CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel, const void* bits);
// A DIB section of the given format with zeroed pixel memory; *bits receives its address.
HBITMAP CreateDIBSection(const HDC& dc, const BITMAPINFO& info, std::uint32_t usage, void** bits);
// A device-dependent surface in the display format, initialised (CBM_INIT) from pixels given in
// the format of `info`, including BI_RLE8 and BI_RLE4 data. `bitsSize` bounds every read.
HBITMAP CreateDIBitmap(const HDC& dc, const BITMAPINFOHEADER* header, std::uint32_t init, const void* bits,
                       std::size_t bitsSize, const BITMAPINFO& info, std::uint32_t usage);
// Converts rows [start, start + lines) of a surface into the format of `info` (bottom-up unless
// its height is negative). With bits null only fills `info`: a header size of 0 is treated as
// 40, and the call completes header, image size and colour table. Returns the rows converted.
int GetDIBits(const HDC& dc, const HBITMAP& bitmap, unsigned start, unsigned lines, void* bits, BITMAPINFO& info,
              std::uint32_t usage);
// sizeof(BITMAP) or sizeof(DIBSECTION) when the surface is a DIB section; 0 for none.
int GetObject(const HBITMAP& bitmap, int size, void* buffer);
unsigned GetDIBColorTable(const HDC& dc, unsigned start, unsigned count, RGBQUAD* colors);
unsigned SetDIBColorTable(const HDC& dc, unsigned start, unsigned count, const RGBQUAD* colors);

// ---- Palettes -----------------------------------------------------------------------------
HPALETTE CreatePalette(const PALETTEENTRY* entries, unsigned count);  // LOGPALETTE version 0x300
HPALETTE CreateHalftonePalette(const HDC& dc);
unsigned GetPaletteEntries(const HPALETTE& palette, unsigned start, unsigned count, PALETTEENTRY* entries);
unsigned GetPaletteEntryCount(const HPALETTE& palette);
unsigned GetNearestPaletteIndex(const HPALETTE& palette, COLORREF color);
HPALETTE GetDefaultPalette();  // the 20 static colours of the stock palette

// ---- Pens, brushes, fonts -----------------------------------------------------------------
HPEN CreatePenIndirect(const LOGPEN& pen);
HBRUSH CreateBrushIndirect(const LOGBRUSH& brush);
HBRUSH CreatePatternBrush(const HBITMAP& pattern);
HFONT CreateFontIndirect(const LOGFONT& font);
LOGBRUSH GetBrushInfo(const HBRUSH& brush);
LOGPEN GetPenInfo(const HPEN& pen);
LOGFONT GetFontInfo(const HFONT& font);

// ---- Drawing ------------------------------------------------------------------------------
// Raster operations combine source, destination and the selected brush (pattern) over
// 32-bit colours; monochrome sources take the destination's text colour for 0 bits and its
// background colour for 1 bits; a colour source going to a monochrome destination gives 1
// where it matches the source context's background colour.
bool BitBlt(const HDC& dst, int x, int y, int cx, int cy, const HDC& src, int sx, int sy, std::uint32_t rop);
bool StretchBlt(const HDC& dst, int x, int y, int cx, int cy, const HDC& src, int sx, int sy, int scx, int scy,
                std::uint32_t rop);
bool PatBlt(const HDC& dc, int x, int y, int cx, int cy, std::uint32_t rop);
bool MaskBlt(const HDC& dst, int x, int y, int cx, int cy, const HDC& src, int sx, int sy, const HBITMAP& mask, int mx,
             int my, std::uint32_t rop4);
int FillRect(const HDC& dc, const RECT& rect, const HBRUSH& brush);
COLORREF GetPixel(const HDC& dc, int x, int y);  // CLR_INVALID outside the surface
COLORREF SetPixel(const HDC& dc, int x, int y, COLORREF color);

}  // namespace platform
