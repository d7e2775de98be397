// Pattern fills: solid, null and hatched brushes, the brush origin, the background mode,
// and pattern bitmaps.
#include <gtest/gtest.h>

#include "RasterFixture.h"
#include "platform/BrushPattern.h"

using namespace rastertest;

namespace {

const COLORREF kLine = RGB(255, 0, 0), kGap = RGB(0, 0, 255), kOld = RGB(7, 7, 7);

// One 8 x 8 hatch cell as text: 'x' where a line passes.
struct HatchCase {
    int hatch;
    const char* rows[8];
};

const HatchCase kHatches[] = {
    {HS_HORIZONTAL, {"........", "........", "........", "........", "........", "........", "........", "xxxxxxxx"}},
    {HS_VERTICAL, {".......x", ".......x", ".......x", ".......x", ".......x", ".......x", ".......x", ".......x"}},
    {HS_FDIAGONAL, {"x.......", ".x......", "..x.....", "...x....", "....x...", ".....x..", "......x.", ".......x"}},
    {HS_BDIAGONAL, {".......x", "......x.", ".....x..", "....x...", "...x....", "..x.....", ".x......", "x......."}},
    {HS_CROSS, {".......x", ".......x", ".......x", ".......x", ".......x", ".......x", ".......x", "xxxxxxxx"}},
    {HS_DIAGCROSS, {"x......x", ".x....x.", "..x..x..", "...xx...", "...xx...", "..x..x..", ".x....x.", "x......x"}},
};

class HatchTest : public ::testing::TestWithParam<HatchCase> {};

TEST_P(HatchTest, OpaqueFillsLinesAndGaps) {
    Canvas c = Canvas::Device(8, 8);
    SetBkColor(c.dc, kGap);
    SetBkMode(c.dc, OPAQUE);
    ASSERT_EQ(FillRect(c.dc, RECT{0, 0, 8, 8}, CreateBrushIndirect(LOGBRUSH{BS_HATCHED, kLine, GetParam().hatch})), 1);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(GetPixel(c.dc, x, y), GetParam().rows[y][x] == 'x' ? kLine : kGap) << x << "," << y;
}

TEST_P(HatchTest, TransparentLeavesGapsAlone) {
    Canvas c = Canvas::Device(8, 8);
    c.Fill(kOld, 8, 8);
    SetBkMode(c.dc, TRANSPARENT);
    FillRect(c.dc, RECT{0, 0, 8, 8}, CreateBrushIndirect(LOGBRUSH{BS_HATCHED, kLine, GetParam().hatch}));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(GetPixel(c.dc, x, y), GetParam().rows[y][x] == 'x' ? kLine : kOld) << x << "," << y;
}

TEST_P(HatchTest, BrushOriginShiftsThePattern) {
    Canvas c = Canvas::Device(8, 8);
    SetBkColor(c.dc, kGap);
    SetBrushOrgEx(c.dc, 3, 5, nullptr);
    FillRect(c.dc, RECT{0, 0, 8, 8}, CreateBrushIndirect(LOGBRUSH{BS_HATCHED, kLine, GetParam().hatch}));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const char cell = GetParam().rows[(y - 5 + 8) % 8][(x - 3 + 8) % 8];
            EXPECT_EQ(GetPixel(c.dc, x, y), cell == 'x' ? kLine : kGap) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Styles, HatchTest, ::testing::ValuesIn(kHatches));

TEST(Brush, SolidFillStaysInsideTheRectangle) {
    Canvas c = Canvas::Device(4, 4);
    ASSERT_EQ(FillRect(c.dc, RECT{1, 1, 3, 2}, CreateBrushIndirect(LOGBRUSH{BS_SOLID, kLine, 0})), 1);
    EXPECT_EQ(GetPixel(c.dc, 1, 1), kLine);
    EXPECT_EQ(GetPixel(c.dc, 2, 1), kLine);
    EXPECT_EQ(GetPixel(c.dc, 3, 1), 0u);
    EXPECT_EQ(GetPixel(c.dc, 1, 2), 0u);
}

TEST(Brush, NullBrushPaintsNothing) {
    Canvas c = Canvas::Device(2, 2);
    c.Fill(kOld, 2, 2);
    FillRect(c.dc, RECT{0, 0, 2, 2}, CreateBrushIndirect(LOGBRUSH{BS_NULL, kLine, 0}));
    EXPECT_EQ(GetPixel(c.dc, 1, 1), kOld);
}

TEST(Brush, PatCopyUsesTheSelectedBrush) {
    Canvas c = Canvas::Device(2, 2);
    SelectObject(c.dc, CreateBrushIndirect(LOGBRUSH{BS_SOLID, kGap, 0}));
    ASSERT_TRUE(PatBlt(c.dc, 0, 0, 2, 2, PATCOPY));
    EXPECT_EQ(GetPixel(c.dc, 1, 1), kGap);
}

TEST(Brush, MonochromePatternTakesTextAndBackgroundColours) {
    const std::uint8_t bits[] = {0x80, 0x00, 0x40, 0x00};  // 2 x 2: rows "10" and "01"
    HBRUSH brush = CreatePatternBrush(CreateBitmap(2, 2, 1, 1, bits));
    Canvas c = Canvas::Device(3, 2);
    SetTextColor(c.dc, kLine);
    SetBkColor(c.dc, kGap);
    FillRect(c.dc, RECT{0, 0, 3, 2}, brush);
    EXPECT_EQ(c.GetRow(0, 3), (std::vector<COLORREF>{kGap, kLine, kGap}));
    EXPECT_EQ(c.GetRow(1, 3), (std::vector<COLORREF>{kLine, kGap, kLine}));
}

TEST(Brush, ColourPatternTilesFromTheBrushOrigin) {
    Canvas tile = Canvas::Dib(Info(2, 1, 24));
    tile.SetRow(0, {kLine, kGap});
    HBRUSH brush = CreatePatternBrush(tile.bitmap);
    Canvas c = Canvas::Device(3, 1);
    SetBrushOrgEx(c.dc, 1, 0, nullptr);
    FillRect(c.dc, RECT{0, 0, 3, 1}, brush);
    EXPECT_EQ(c.GetRow(0, 3), (std::vector<COLORREF>{kGap, kLine, kGap}));
}

TEST(Brush, FillOnMonochromeTargetUsesNearestOfBlackAndWhite) {
    Canvas c = Canvas::Mono(2, 1);
    FillRect(c.dc, RECT{0, 0, 2, 1}, CreateBrushIndirect(LOGBRUSH{BS_SOLID, RGB(220, 220, 220), 0}));
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(255, 255, 255));
}

}  // namespace
