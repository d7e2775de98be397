// CreateDIBitmap with run-length encoded pixels: every escape, and damaged data that must stay
// inside the surface and inside the data.
#include <gtest/gtest.h>

#include "RasterFixture.h"

using namespace rastertest;

namespace {

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kGray = RGB(9, 9, 9);
const COLORREF Z = 0;  // untouched: the new surface is zeroed

BITMAPINFO RleInfo(int width, int height, std::uint32_t compression) {
    BITMAPINFO info = Info(width, height, compression == BI_RLE8 ? 8 : 4, compression);
    info.bmiHeader.biClrUsed = 4;
    // Index 0 gray (so skipped pixels, which stay black, differ from index 0), then red, green, blue.
    info.bmiColors = {{9, 9, 9, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
    return info;
}

struct RleCase {
    const char* name;
    std::uint32_t compression;
    int width, height;
    std::vector<std::uint8_t> data;
    std::vector<std::vector<COLORREF>> rows;  // top row first
};

// clang-format off
const RleCase kCases[] = {
    {"run8",
     BI_RLE8, 4, 1,
     {3, 1,      // three pixels of index 1
      0, 1},     // end of bitmap
     {{kRed, kRed, kRed, Z}}},
    {"end of line moves up",
     BI_RLE8, 2, 2,
     {1, 2,      // bottom row: one green
      0, 0,      // end of line
      2, 3,      // next row up: two blue
      0, 1},
     {{kBlue, kBlue}, {kGreen, Z}}},
    {"delta skips",
     BI_RLE8, 4, 2,
     {1, 1,      // bottom row x 0: red
      0, 2, 2, 1,  // delta: right 2, up 1 -> (3, row 1)
      1, 2,      // green at x 3 of the top row
      0, 1},
     {{Z, Z, Z, kGreen}, {kRed, Z, Z, Z}}},
    {"absolute run with padding",
     BI_RLE8, 4, 1,
     {0, 3, 1, 2, 3, 0xEE,  // three literal pixels, padded to a word
      1, 0,                 // one pixel of index 0 (gray)
      0, 1},
     {{kRed, kGreen, kBlue, kGray}}},
    {"run4 alternates nibbles",
     BI_RLE4, 5, 1,
     {5, 0x12,   // 1 2 1 2 1
      0, 1},
     {{kRed, kGreen, kRed, kGreen, kRed}}},
    {"absolute4 with padding",
     BI_RLE4, 4, 1,
     {0, 3, 0x31, 0x20, 0, 0,  // literals 3 1 2 in two bytes, padded to a word ...
      0, 1},                    // ... so this is the end of the bitmap
     {{kBlue, kRed, kGreen, Z}}},
    {"run past the row end is dropped",
     BI_RLE8, 2, 2,
     {5, 1,      // five reds into a row of two: the rest is dropped, not wrapped
      0, 1},
     {{Z, Z}, {kRed, kRed}}},
    {"missing end of bitmap",
     BI_RLE8, 2, 1,
     {1, 3},
     {{kBlue, Z}}},
    {"truncated literal keeps what is there",
     BI_RLE8, 4, 1,
     {0, 4, 1, 2},  // four literals announced, two present
     {{kRed, kGreen, Z, Z}}},
    {"truncated delta",
     BI_RLE8, 2, 1,
     {1, 1, 0, 2, 1},
     {{kRed, Z}}},
    {"delta beyond the top stops",
     BI_RLE8, 2, 2,
     {0, 2, 0, 200,  // up 200 rows: past the surface
      2, 1, 0, 1},
     {{Z, Z}, {Z, Z}}},
    {"delta beyond the right edge",
     BI_RLE8, 2, 1,
     {0, 2, 250, 0, 1, 1, 0, 1},  // right 250: the position stops at the edge
     {{Z, Z}}},
    {"index beyond the table is black",
     BI_RLE8, 1, 1,
     {1, 200, 0, 1},
     {{Z}}},
    {"lines beyond the top are ignored",
     BI_RLE8, 1, 1,
     {1, 1, 0, 0, 1, 2, 0, 0, 1, 3, 0, 1},
     {{kRed}}},
};
// clang-format on

class RleTest : public ::testing::TestWithParam<RleCase> {};

TEST_P(RleTest, DecodesIntoTheSurface) {
    const RleCase& t = GetParam();
    BITMAPINFO info = RleInfo(t.width, t.height, t.compression);
    HBITMAP surface =
        CreateDIBitmap(nullptr, &info.bmiHeader, CBM_INIT, t.data.data(), t.data.size(), info, DIB_RGB_COLORS);
    ASSERT_TRUE(surface);
    Canvas c(surface);
    for (int y = 0; y < t.height; ++y)
        EXPECT_EQ(c.GetRow(y, t.width), t.rows[std::size_t(y)]) << t.name << " row " << y;
}

INSTANTIATE_TEST_SUITE_P(Escapes, RleTest, ::testing::ValuesIn(kCases), CaseName());

TEST(Rle, TopDownIsRefused) {
    BITMAPINFO info = RleInfo(2, -2, BI_RLE8);
    const std::uint8_t data[] = {2, 1, 0, 1};
    EXPECT_FALSE(CreateDIBitmap(nullptr, &info.bmiHeader, CBM_INIT, data, sizeof data, info, DIB_RGB_COLORS));
}

TEST(Rle, HostileDataNeverHangsOrEscapes) {
    // Every byte sequence of a small alphabet of escapes and values, decoded into a 3 x 2 surface
    // that sits beside others: nothing may crash, and the sanitizer build checks the memory.
    const std::uint8_t alphabet[] = {0, 1, 2, 3, 0xFF, 0x21};
    std::vector<std::uint8_t> data(6);
    for (int seed = 0; seed < 6 * 6 * 6 * 6 * 6 * 6; ++seed) {
        int v = seed;
        for (auto& b : data) b = alphabet[v % 6], v /= 6;
        for (std::uint32_t compression : {BI_RLE8, BI_RLE4}) {
            BITMAPINFO info = RleInfo(3, 2, compression);
            ASSERT_TRUE(
                CreateDIBitmap(nullptr, &info.bmiHeader, CBM_INIT, data.data(), data.size(), info, DIB_RGB_COLORS));
        }
    }
}

TEST(CreateDIBitmap, ConvertsUncompressedPixelsIntoDisplayFormat) {
    BITMAPINFO info = Info(2, 2, 8);
    info.bmiHeader.biClrUsed = 2;
    info.bmiColors = {{0, 0, 255, 0}, {255, 0, 0, 0}};  // red, blue
    const std::uint8_t pixels[] = {
        1, 0, 0, 0,  // bottom row: blue red, padded to 4 bytes
        0, 0, 0, 0,  // top row: red red
    };
    Canvas c(CreateDIBitmap(nullptr, &info.bmiHeader, CBM_INIT, pixels, sizeof pixels, info, DIB_RGB_COLORS));
    ASSERT_TRUE(c.bitmap);
    BITMAP bm;
    GetObject(c.bitmap, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmBits, nullptr);
    EXPECT_EQ(c.GetRow(0, 2), (std::vector<COLORREF>{kRed, kRed}));
    EXPECT_EQ(c.GetRow(1, 2), (std::vector<COLORREF>{kBlue, kRed}));
}

TEST(CreateDIBitmap, ShortPixelDataFillsWhatItCovers) {
    BITMAPINFO info = Info(2, 2, 24);
    const std::uint8_t pixels[] = {0, 0, 255, 0, 255};  // bottom row: red, then a cut-off pixel
    Canvas c(CreateDIBitmap(nullptr, &info.bmiHeader, CBM_INIT, pixels, sizeof pixels, info, DIB_RGB_COLORS));
    EXPECT_EQ(c.GetRow(1, 2), (std::vector<COLORREF>{kRed, Z}));
    EXPECT_EQ(c.GetRow(0, 2), (std::vector<COLORREF>{Z, Z}));
}

TEST(CreateDIBitmap, WithoutInitIsAZeroedSurface) {
    BITMAPINFO info = Info(3, 3, 24);
    const std::uint8_t pixels[36] = {0xFF};
    Canvas c(CreateDIBitmap(nullptr, &info.bmiHeader, 0, pixels, sizeof pixels, info, DIB_RGB_COLORS));
    EXPECT_EQ(GetPixel(c.dc, 0, 2), Z);
}

}  // namespace
