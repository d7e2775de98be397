// Contexts: selection rules, remembered colours and modes, device capabilities.
#include <gtest/gtest.h>

#include "RasterFixture.h"

using namespace rastertest;

namespace {

TEST(Context, ASurfaceIsSelectedIntoOneContextOnly) {
    HBITMAP surface = CreateCompatibleBitmap(nullptr, 2, 2);
    HDC first = CreateCompatibleDC(nullptr), second = CreateCompatibleDC(nullptr);
    HBITMAP stock = SelectObject(first, surface);
    ASSERT_TRUE(stock);
    EXPECT_FALSE(SelectObject(second, surface));
    EXPECT_FALSE(DeleteObject(surface));  // still selected
    EXPECT_EQ(SelectObject(first, stock), surface);
    EXPECT_TRUE(SelectObject(second, surface));
    DeleteDC(second);
    EXPECT_TRUE(DeleteObject(surface));
    EXPECT_TRUE(SelectObject(first, surface));
}

TEST(Context, DestroyingAContextFreesItsSurface) {
    HBITMAP surface = CreateCompatibleBitmap(nullptr, 2, 2);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        SelectObject(dc, surface);
    }
    EXPECT_TRUE(SelectObject(CreateCompatibleDC(nullptr), surface));
}

TEST(Context, SettersReturnThePreviousValue) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetBkColor(dc, RGB(1, 2, 3)), RGB(255, 255, 255));
    EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(SetTextColor(dc, RGB(4, 5, 6)), RGB(0, 0, 0));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetStretchBltMode(dc, HALFTONE), BLACKONWHITE);
    EXPECT_EQ(GetStretchBltMode(dc), HALFTONE);
    EXPECT_EQ(SetStretchBltMode(dc, 9), 0);
    POINT previous{9, 9}, now;
    EXPECT_TRUE(SetBrushOrgEx(dc, 3, 4, &previous));
    EXPECT_EQ(previous, (POINT{0, 0}));
    EXPECT_TRUE(GetBrushOrgEx(dc, &now));
    EXPECT_EQ(now, (POINT{3, 4}));
    EXPECT_TRUE(MoveToEx(dc, 7, 8, &previous));
}

TEST(Context, DefaultObjectsAndReplacement) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetBrushInfo(GetCurrentBrush(dc)).lbColor, RGB(255, 255, 255));
    EXPECT_EQ(GetPenInfo(GetCurrentPen(dc)).lopnColor, RGB(0, 0, 0));
    HPEN pen = CreatePenIndirect(LOGPEN{PS_DASH, 2, RGB(1, 1, 1)});
    HPEN old = SelectObject(dc, pen);
    EXPECT_EQ(GetCurrentPen(dc), pen);
    EXPECT_EQ(SelectObject(dc, old), pen);
    LOGFONT lf;
    lf.lfHeight = -11;
    HFONT font = CreateFontIndirect(lf);
    SelectObject(dc, font);
    EXPECT_EQ(GetFontInfo(GetCurrentFont(dc)).lfHeight, -11);
}

TEST(Context, ClipBoxIsTheSelectedSurface) {
    Canvas c = Canvas::Device(7, 3);
    RECT box;
    EXPECT_NE(GetClipBox(c.dc, &box), 0);
    EXPECT_EQ(box, (RECT{0, 0, 7, 3}));
}

TEST(Context, CapabilitiesDescribeSelectedSurfaceAndDisplay) {
    Canvas c = Canvas::Device(1, 1);
    EXPECT_EQ(GetDeviceCaps(c.dc, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(c.dc, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(c.dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(c.dc, SIZEPALETTE), 0);
    EXPECT_EQ(GetDeviceCaps(c.dc, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_FALSE(PaletteDisplay());
}

TEST(SystemColors, ClassicDesktop) {
    EXPECT_EQ(GetSysColor(5), RGB(255, 255, 255));   // window
    EXPECT_EQ(GetSysColor(8), RGB(0, 0, 0));         // window text
    EXPECT_EQ(GetSysColor(13), RGB(0, 120, 215));    // highlight
    EXPECT_EQ(GetSysColor(14), RGB(255, 255, 255));  // highlight text
    EXPECT_EQ(GetSysColor(15), RGB(240, 240, 240));  // button face
    EXPECT_EQ(GetSysColor(999), 0u);
}

}  // namespace
