// Stretching: COLORONCOLOR takes the source pixel under each target pixel's centre, HALFTONE
// averages the area; negative extents mirror; everything clips to both surfaces.
#include <gtest/gtest.h>

#include "RasterFixture.h"

using namespace rastertest;

namespace {

const COLORREF A = RGB(10, 0, 0), B = RGB(20, 0, 0), C = RGB(30, 0, 0), D = RGB(40, 0, 0);

struct StretchCase {
    const char* name;
    int targetWidth;
    int x, cx;    // target span
    int sx, scx;  // source span over the row A B C D
    std::vector<COLORREF> expected;
};

class ColorOnColorTest : public ::testing::TestWithParam<StretchCase> {};

TEST_P(ColorOnColorTest, SamplesAtPixelCentres) {
    const StretchCase& t = GetParam();
    Canvas source = Canvas::Device(4, 1);
    source.SetRow(0, {A, B, C, D});
    Canvas target = Canvas::Device(t.targetWidth, 1);
    SetStretchBltMode(target.dc, COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(target.dc, t.x, 0, t.cx, 1, source.dc, t.sx, 0, t.scx, 1, SRCCOPY));
    EXPECT_EQ(target.GetRow(0, t.targetWidth), t.expected) << t.name;
}

const COLORREF Z = 0;  // untouched target pixel
INSTANTIATE_TEST_SUITE_P(Cases, ColorOnColorTest,
                         ::testing::Values(
                             // 4 -> 2: target centres 0.5 and 1.5 fall at source 1 and 3.
                             StretchCase{"halve", 2, 0, 2, 0, 4, {B, D}},
                             // 2 -> 4: each source pixel twice.
                             StretchCase{"double", 4, 0, 4, 0, 2, {A, A, B, B}},
                             // 4 -> 3: centres 0.5, 1.5, 2.5 scale by 4/3 to 0.67, 2, 3.33.
                             StretchCase{"four to three", 3, 0, 3, 0, 4, {A, C, D}},
                             StretchCase{"mirror by target", 4, 4, -4, 0, 4, {D, C, B, A}},
                             StretchCase{"mirror by source", 4, 0, 4, 4, -4, {D, C, B, A}},
                             StretchCase{"both negative is no mirror", 4, 4, -4, 4, -4, {A, B, C, D}},
                             StretchCase{"target clipped left", 4, -2, 4, 0, 4, {C, D, Z, Z}},
                             StretchCase{"target clipped right", 4, 2, 4, 0, 4, {Z, Z, A, B}},
                             StretchCase{"source partly outside", 4, 0, 4, -2, 4, {Z, Z, A, B}},
                             StretchCase{"source wholly outside", 4, 0, 4, 9, 4, {Z, Z, Z, Z}},
                             StretchCase{"zero extent draws nothing", 4, 0, 0, 0, 4, {Z, Z, Z, Z}},
                             // Spans of 2^31 pixels: the centres' products exceed 64 bits.
                             StretchCase{
                                 "longest spans", 4, 4 - INT_MAX, INT_MAX, 5 - INT_MAX, INT_MAX - 1, {A, B, C, D}}),
                         CaseName());

TEST(StretchBlt, EnlargesVerticallyByReplication) {
    Canvas source = Canvas::Device(1, 2);
    source.SetRow(0, {A});
    source.SetRow(1, {B});
    Canvas target = Canvas::Device(1, 4);
    SetStretchBltMode(target.dc, COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(target.dc, 0, 0, 1, 4, source.dc, 0, 0, 1, 2, SRCCOPY));
    EXPECT_EQ(GetPixel(target.dc, 0, 0), A);
    EXPECT_EQ(GetPixel(target.dc, 0, 1), A);
    EXPECT_EQ(GetPixel(target.dc, 0, 2), B);
    EXPECT_EQ(GetPixel(target.dc, 0, 3), B);
}

TEST(StretchBlt, HalftoneAveragesTheCoveredArea) {
    Canvas source = Canvas::Device(4, 2);
    source.SetRow(0, {RGB(0, 0, 0), RGB(100, 40, 8), RGB(200, 200, 200), RGB(100, 100, 100)});
    source.SetRow(1, {RGB(0, 0, 0), RGB(100, 40, 8), RGB(0, 0, 0), RGB(100, 100, 100)});
    Canvas target = Canvas::Device(2, 1);
    SetStretchBltMode(target.dc, HALFTONE);
    ASSERT_TRUE(StretchBlt(target.dc, 0, 0, 2, 1, source.dc, 0, 0, 4, 2, SRCCOPY));
    // Left: (0 + 100 + 0 + 100) / 4 = 50, (40 + 40) / 4 = 20, (8 + 8) / 4 = 4.
    EXPECT_EQ(GetPixel(target.dc, 0, 0), RGB(50, 20, 4));
    // Right: (200 + 100 + 0 + 100) / 4 = 100 in each channel.
    EXPECT_EQ(GetPixel(target.dc, 1, 0), RGB(100, 100, 100));
}

TEST(StretchBlt, HalftoneMirrorsTheAveragedBoxes) {
    Canvas source = Canvas::Device(4, 1);
    source.SetRow(0, {RGB(0, 0, 0), RGB(100, 0, 0), RGB(200, 0, 0), RGB(240, 0, 0)});
    Canvas target = Canvas::Device(2, 1);
    SetStretchBltMode(target.dc, HALFTONE);
    ASSERT_TRUE(StretchBlt(target.dc, 2, 0, -2, 1, source.dc, 0, 0, 4, 1, SRCCOPY));
    // Boxes {0, 1} and {2, 3} average to 50 and 220, placed right to left.
    EXPECT_EQ(target.GetRow(0, 2), (std::vector<COLORREF>{RGB(220, 0, 0), RGB(50, 0, 0)}));
}

TEST(StretchBlt, HalftoneIntoPaletteTargetTakesNearestEntry) {
    BITMAPINFO info = Info(1, 1, 8);
    info.bmiColors = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{0, 0, 200, 0}, RGBQUAD{255, 255, 255, 0}};
    info.bmiHeader.biClrUsed = 3;
    Canvas target = Canvas::Dib(info);
    Canvas source = Canvas::Device(2, 1);
    source.SetRow(0, {RGB(255, 0, 0), RGB(150, 0, 0)});  // averages to (202.5, 0, 0)
    SetStretchBltMode(target.dc, HALFTONE);
    ASSERT_TRUE(StretchBlt(target.dc, 0, 0, 1, 1, source.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(target.Bytes()[0], 1);
}

TEST(StretchBlt, ColorOnColorFromTwentyFourBitsIntoDisplayFormat) {
    BITMAPINFO info = Info(6, 2, 24);
    Canvas source = Canvas::Dib(info);
    std::uint8_t* bytes = source.Bytes();
    // Bottom-up: the top row is stored second, 20 bytes (18 padded) per row.
    for (int x = 0; x < 6; ++x) {
        bytes[20 + 3 * x] = std::uint8_t(x);        // blue of the top row
        bytes[20 + 3 * x + 2] = std::uint8_t(100);  // red
    }
    Canvas target = Canvas::Device(3, 1);
    SetStretchBltMode(target.dc, COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(target.dc, 0, 0, 3, 1, source.dc, 0, 0, 6, 2, SRCCOPY));
    // Rows scale by 2 as well: the centre of target row 0 lies in source row 1, the zeroed bottom row.
    EXPECT_EQ(target.GetRow(0, 3), (std::vector<COLORREF>{0, 0, 0}));
    // Columns: centres 0.5, 1.5, 2.5 scale by 2 to source columns 1, 3, 5.
    ASSERT_TRUE(StretchBlt(target.dc, 0, 0, 3, 1, source.dc, 0, 0, 6, 1, SRCCOPY));
    EXPECT_EQ(target.GetRow(0, 3), (std::vector<COLORREF>{RGB(100, 0, 1), RGB(100, 0, 3), RGB(100, 0, 5)}));
}

}  // namespace
