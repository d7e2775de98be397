// A bitmap's size: a new bitmap given width and height, resizing, and depth set before size.
#include <gtest/gtest.h>

#include "BitmapTestSupport.h"

using namespace bitmaptest;

namespace {
constexpr platform::COLORREF kWhite = 0xFFFFFF;

TEST(BitmapSize, NewBitmapGivenWidthOnlyHasNoSurface) {
    TBitmap bitmap;
    bitmap.ResizeWidth(200);
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.ImageWidth(), 200);
    EXPECT_EQ(bitmap.ImageHeight(), 0);
}

TEST(BitmapSize, WidthThenHeightGivesWhiteDeviceBitmap) {
    TBitmap bitmap;
    bitmap.ResizeWidth(200);
    bitmap.ResizeHeight(100);
    EXPECT_FALSE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.HandleKind(), THandleKind::DeviceDependent);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Device);
    EXPECT_EQ(bitmap.ImageWidth(), 200);
    EXPECT_EQ(bitmap.ImageHeight(), 100);
    for (int y = 0; y < 100; y += 9)
        for (int x = 0; x < 200; x += 13) ASSERT_EQ(Pixel(bitmap, x, y), kWhite) << x << "," << y;
    EXPECT_EQ(Pixel(bitmap, 199, 99), kWhite);
}

TEST(BitmapSize, NewBitmapNotifiesEachResize) {
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.ResizeWidth(5);
    bitmap.ResizeHeight(5);
    bitmap.ResizeHeight(5);  // unchanged: nothing to tell
    EXPECT_EQ(changes, 2);
}

struct ResizeCase {
    TPixelDepth depth;
    const char* name;
};

class BitmapResize : public ::testing::TestWithParam<ResizeCase> {};

// Old pixels stay at the top left, unscaled; the new area is white.
TEST_P(BitmapResize, KeepsTopLeftAndFillsWhite) {
    TBitmap bitmap;
    Shape(bitmap, GetParam().depth, 3, 2);
    Paint(bitmap, 0, 0, clBlack);
    Paint(bitmap, 2, 1, clBlack);
    bitmap.ResizeWidth(5);
    bitmap.ResizeHeight(4);
    EXPECT_EQ(bitmap.CurrentDepth(), GetParam().depth);
    EXPECT_EQ(Pixel(bitmap, 0, 0), 0u);
    EXPECT_EQ(Pixel(bitmap, 2, 1), 0u);
    EXPECT_EQ(Pixel(bitmap, 1, 0), kWhite);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            if (x >= 3 || y >= 2) {
                EXPECT_EQ(Pixel(bitmap, x, y), kWhite) << x << "," << y;
            }
        }
}

TEST_P(BitmapResize, ShrinkingKeepsTopLeft) {
    TBitmap bitmap;
    Shape(bitmap, GetParam().depth, 4, 4);
    Paint(bitmap, 1, 1, clBlack);
    Paint(bitmap, 3, 3, clBlack);
    bitmap.ResizeWidth(2);
    bitmap.ResizeHeight(2);
    EXPECT_EQ(bitmap.ImageWidth(), 2);
    EXPECT_EQ(bitmap.ImageHeight(), 2);
    EXPECT_EQ(Pixel(bitmap, 1, 1), 0u);
    EXPECT_EQ(Pixel(bitmap, 0, 0), kWhite);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, BitmapResize,
    ::testing::Values(ResizeCase{TPixelDepth::Device, "Device"}, ResizeCase{TPixelDepth::Bits1, "Bits1"},
                      ResizeCase{TPixelDepth::Bits4, "Bits4"}, ResizeCase{TPixelDepth::Bits8, "Bits8"},
                      ResizeCase{TPixelDepth::Bits15, "Bits15"}, ResizeCase{TPixelDepth::Bits16, "Bits16"},
                      ResizeCase{TPixelDepth::Bits24, "Bits24"}, ResizeCase{TPixelDepth::Bits32, "Bits32"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(BitmapSize, NewAreaTakesTheCanvasBrushColour) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits24, 2, 2);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.ResizeWidth(4);
    EXPECT_EQ(Pixel(bitmap, 3, 0), platform::RGB(0xFF, 0, 0));
    EXPECT_EQ(Pixel(bitmap, 0, 0), kWhite);
}

TEST(BitmapSize, DepthGivenFirstIsKeptUntilSizeArrives) {
    TBitmap bitmap;
    bitmap.ChangeDepth(TPixelDepth::Bits24);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits24);
    bitmap.ResizeWidth(4);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits24);
    bitmap.ResizeHeight(2);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits24);
    EXPECT_EQ(bitmap.HandleKind(), THandleKind::DeviceIndependent);
    // Bottom-up, 12 bytes a row: row 1 is stored first, 12 bytes before row 0.
    EXPECT_EQ(bitmap.ScanRow(0) - bitmap.ScanRow(1), 12);
    for (int y = 0; y < 2; ++y)
        for (int i = 0; i < 12; ++i) EXPECT_EQ(bitmap.ScanRow(y)[i], 0xFF);
}

TEST(BitmapSize, EightBitsGivenFirstTakeTheHalftoneTable) {
    TBitmap bitmap;
    bitmap.ChangeDepth(TPixelDepth::Bits8);
    bitmap.ResizeWidth(3);
    bitmap.ResizeHeight(3);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits8);
    ASSERT_NE(bitmap.PaletteHandle(), nullptr);
    EXPECT_EQ(Pixel(bitmap, 1, 1), kWhite);
}
}  // namespace
