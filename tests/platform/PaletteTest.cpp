// Palettes: logical palettes, the halftone and default palettes, nearest-colour search,
// and a palette display.
#include <gtest/gtest.h>

#include "RasterFixture.h"

using namespace rastertest;

namespace {

TEST(Palette, KeepsEntriesAndAnswersRanges) {
    const PALETTEENTRY entries[] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
    HPALETTE palette = CreatePalette(entries, 3);
    ASSERT_TRUE(palette);
    EXPECT_EQ(GetPaletteEntryCount(palette), 3u);
    EXPECT_EQ(GetPaletteEntries(palette, 0, 0, nullptr), 3u);
    PALETTEENTRY got[5];
    EXPECT_EQ(GetPaletteEntries(palette, 1, 5, got), 2u);
    EXPECT_EQ(got[1], (PALETTEENTRY{7, 8, 9, 0}));
    EXPECT_EQ(GetPaletteEntries(palette, 3, 1, got), 0u);
    EXPECT_FALSE(CreatePalette(entries, 0));
}

TEST(Palette, NearestIndexByDistance) {
    const PALETTEENTRY entries[] = {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 0, 255, 0}, {255, 0, 0, 0}};
    HPALETTE palette = CreatePalette(entries, 4);
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(200, 30, 30)), 1u);  // first of the equal reds
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(10, 0, 140)), 2u);
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(20, 20, 20)), 0u);
    // Asking again answers the same (the second answer comes from the cache).
    EXPECT_EQ(GetNearestPaletteIndex(palette, RGB(10, 0, 140)), 2u);
}

TEST(Palette, HalftoneHasStaticColoursCubeAndGrays) {
    HPALETTE halftone = CreateHalftonePalette(nullptr);
    ASSERT_EQ(GetPaletteEntryCount(halftone), 256u);
    PALETTEENTRY e[256];
    GetPaletteEntries(halftone, 0, 256, e);
    EXPECT_EQ(e[0], (PALETTEENTRY{0, 0, 0, 0}));
    EXPECT_EQ(e[255], (PALETTEENTRY{255, 255, 255, 0}));
    EXPECT_EQ(e[249], (PALETTEENTRY{255, 0, 0, 0}));
    // Cube entry 10 + 36 r + 6 g + b for levels of 51.
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                EXPECT_EQ(e[10 + 36 * r + 6 * g + b],
                          (PALETTEENTRY{std::uint8_t(r * 51), std::uint8_t(g * 51), std::uint8_t(b * 51), 0}));
    // Twenty grays after the cube, strictly rising between black and white.
    for (int i = 226; i < 246; ++i) {
        EXPECT_EQ(e[i].peRed, e[i].peGreen);
        EXPECT_GT(e[i].peRed, i == 226 ? 0 : e[i - 1].peRed);
    }
}

TEST(Palette, DefaultPaletteHasTheTwentyStaticColours) {
    HPALETTE def = GetDefaultPalette();
    ASSERT_EQ(GetPaletteEntryCount(def), 20u);
    PALETTEENTRY e[20];
    GetPaletteEntries(def, 0, 20, e);
    EXPECT_EQ(e[7], (PALETTEENTRY{192, 192, 192, 0}));
    EXPECT_EQ(e[19], (PALETTEENTRY{255, 255, 255, 0}));
}

TEST(Palette, SelectRemembersAndTrueColourRealizesNothing) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPALETTE halftone = CreateHalftonePalette(dc);
    EXPECT_EQ(SelectPalette(dc, halftone, true), GetDefaultPalette());
    EXPECT_EQ(RealizePalette(dc), 0u);
    EXPECT_EQ(SelectPalette(dc, GetDefaultPalette(), true), halftone);
}

// Switches the display for one test and back.
class PaletteDisplayTest : public ::testing::Test {
protected:
    void SetUp() override { Display().bitsPerPixel = 8; }
    void TearDown() override { Display().bitsPerPixel = 32; }
};

TEST_F(PaletteDisplayTest, CompatibleBitmapsUseTheHalftonePalette) {
    EXPECT_TRUE(PaletteDisplay());
    Canvas c = Canvas::Device(2, 1);
    EXPECT_EQ(GetDeviceCaps(c.dc, BITSPIXEL), 8);
    EXPECT_EQ(GetDeviceCaps(c.dc, SIZEPALETTE), 256);
    EXPECT_EQ(SetPixel(c.dc, 0, 0, RGB(255, 51, 102)), RGB(255, 51, 102));  // a cube colour
    EXPECT_EQ(SetPixel(c.dc, 1, 0, RGB(250, 55, 100)), RGB(255, 51, 102));  // nearest to it
    HPALETTE halftone = CreateHalftonePalette(c.dc);
    SelectPalette(c.dc, halftone, true);
    EXPECT_EQ(RealizePalette(c.dc), 256u);
}

TEST_F(PaletteDisplayTest, SixteenAndTwentyFourBitDisplays) {
    Display().bitsPerPixel = 16;
    Canvas sixteen = Canvas::Device(1, 1);
    EXPECT_EQ(GetDeviceCaps(sixteen.dc, BITSPIXEL), 16);
    EXPECT_EQ(SetPixel(sixteen.dc, 0, 0, RGB(255, 0, 255)), RGB(255, 0, 255));
    Display().bitsPerPixel = 24;
    Canvas twentyFour = Canvas::Device(1, 1);
    EXPECT_EQ(SetPixel(twentyFour.dc, 0, 0, RGB(1, 2, 3)), RGB(1, 2, 3));
    BITMAP bm;
    GetObject(twentyFour.bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidthBytes, 4);  // 3 bytes padded to 2-byte units
}

TEST_F(PaletteDisplayTest, HalftoneStretchOntoPaletteDisplayBitmap) {
    Canvas source = Canvas::Dib(Info(2, 1, 24));
    source.SetRow(0, {RGB(255, 0, 0), RGB(153, 0, 0)});  // averages to (204, 0, 0): a cube colour
    Canvas target = Canvas::Device(1, 1);
    SetStretchBltMode(target.dc, HALFTONE);
    ASSERT_TRUE(StretchBlt(target.dc, 0, 0, 1, 1, source.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(GetPixel(target.dc, 0, 0), RGB(204, 0, 0));
}

}  // namespace
