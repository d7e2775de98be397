#pragma once
// The icon service: an icon is a colour surface plus a monochrome mask of the same size, drawn
// as Windows draws icons (the mask ANDed in, then the colour XORed over it), so a pixel is
// transparent where the mask is 1 and the colour black, inverted where both are set.

#include "platform/Gdi.h"

namespace platform {

class Icon : public GdiObject {
public:
    Icon(HBITMAP color, HBITMAP mask) : color_(std::move(color)), mask_(std::move(mask)) {}
    const HBITMAP& Color() const { return color_; }
    const HBITMAP& Mask() const { return mask_; }
    int Width() const;
    int Height() const;

private:
    HBITMAP color_;
    HBITMAP mask_;
};

using HICON = std::shared_ptr<Icon>;

// GetSystemMetrics indexes.
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
int GetSystemMetrics(int index);  // 0 for an index the service does not know

struct ICONINFO {
    bool fIcon = true;
    std::uint32_t xHotspot = 0;
    std::uint32_t yHotspot = 0;
    HBITMAP hbmMask;
    HBITMAP hbmColor;
};

// An icon from device-dependent bits (rows padded to 2 bytes): the 1-bit AND mask and the
// colour bits of `planes` x `bitsPixel`. Null, with the last error set, when it cannot be made.
HICON CreateIcon(int width, int height, unsigned planes, unsigned bitsPixel, const void* andBits, const void* xorBits);
// An icon holding copies of the two bitmaps, which must have the same size, the mask monochrome.
HICON CreateIconIndirect(const ICONINFO& info);
bool DestroyIcon(const HICON& icon);
// Fills `info` with copies of the icon's bitmaps, which the caller owns.
bool GetIconInfo(const HICON& icon, ICONINFO* info);

// DrawIconEx flags.
constexpr unsigned DI_MASK = 1;
constexpr unsigned DI_IMAGE = 2;
constexpr unsigned DI_NORMAL = 3;
// Draws the icon with its top-left corner at (x, y); a width or height of 0 takes the icon's own,
// any other size stretches it. `step` and `background` are accepted for the original's signature.
bool DrawIconEx(const HDC& dc, int x, int y, const HICON& icon, int width, int height, unsigned step,
                const HBRUSH& background, unsigned flags);

// The application's stock icon. The program installs its own at start-up; until then, and in
// programs that install none, a plain 32 x 32 window icon stands in.
constexpr int IDI_APPLICATION = 32512;
HICON LoadIcon(std::nullptr_t instance, int name);
void SetApplicationIcon(HICON icon);

}  // namespace platform
