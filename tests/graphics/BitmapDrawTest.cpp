// Drawing bitmaps: the stretch mode chosen by depth, unscaled and scaled copies, the
// transparency mask and transparent drawing.
#include <gtest/gtest.h>

#include "BitmapTestSupport.h"

using namespace bitmaptest;

namespace {
constexpr platform::COLORREF kWhite = 0xFFFFFF;
constexpr platform::COLORREF kRed = platform::RGB(0xFF, 0, 0);
constexpr platform::COLORREF kBlue = platform::RGB(0, 0, 0xFF);
constexpr platform::COLORREF kGreen = platform::RGB(0, 0xFF, 0);

struct ModeCase {
    TPixelDepth source;
    TPixelDepth target;
    int expectedMode;
    const char* name;
};

class BitmapStretchMode : public ::testing::TestWithParam<ModeCase> {};

// T <= 8 and T < S: HALFTONE; otherwise COLORONCOLOR, except a monochrome source.
TEST_P(BitmapStretchMode, ChosenByTargetAndSourceDepth) {
    TBitmap source, target;
    Shape(source, GetParam().source, 4, 4);
    Shape(target, GetParam().target, 2, 2);
    const platform::HDC dc = target.Canvas().Handle();
    platform::SetStretchBltMode(dc, platform::BLACKONWHITE);
    target.Canvas().StretchDrawGraphic(TRect{0, 0, 2, 2}, &source);
    EXPECT_EQ(platform::GetStretchBltMode(target.Canvas().Handle()), GetParam().expectedMode);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, BitmapStretchMode,
    ::testing::Values(ModeCase{TPixelDepth::Bits24, TPixelDepth::Bits32, platform::COLORONCOLOR, "B24onB32"},
                      ModeCase{TPixelDepth::Bits24, TPixelDepth::Device, platform::COLORONCOLOR, "B24onDevice"},
                      ModeCase{TPixelDepth::Bits24, TPixelDepth::Bits8, platform::HALFTONE, "B24onB8"},
                      ModeCase{TPixelDepth::Device, TPixelDepth::Bits4, platform::HALFTONE, "DeviceOnB4"},
                      ModeCase{TPixelDepth::Bits8, TPixelDepth::Bits8, platform::COLORONCOLOR, "B8onB8"},
                      ModeCase{TPixelDepth::Bits4, TPixelDepth::Bits8, platform::COLORONCOLOR, "B4onB8"},
                      ModeCase{TPixelDepth::Bits1, TPixelDepth::Bits32, platform::BLACKONWHITE, "B1onB32"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(BitmapDraw, HalftoneKeepsTheBrushOrigin) {
    TBitmap source, target;
    Shape(source, TPixelDepth::Bits24, 4, 4);
    Shape(target, TPixelDepth::Bits8, 2, 2);
    const platform::HDC dc = target.Canvas().Handle();
    platform::SetBrushOrgEx(dc, 3, 5, nullptr);
    target.Canvas().StretchDrawGraphic(TRect{0, 0, 2, 2}, &source);
    platform::POINT origin;
    platform::GetBrushOrgEx(target.Canvas().Handle(), &origin);
    EXPECT_EQ(origin, (platform::POINT{3, 5}));
}

// Each target pixel takes the source pixel under its centre: 2 -> 4 doubles each column.
TEST(BitmapDraw, ColorOnColorStretchSamplesWithoutAveraging) {
    TBitmap source, target;
    Shape(source, TPixelDepth::Bits24, 2, 1);
    Paint(source, 0, 0, clRed);
    Paint(source, 1, 0, clBlue);
    Shape(target, TPixelDepth::Bits32, 4, 1);
    target.Canvas().StretchDrawGraphic(TRect{0, 0, 4, 1}, &source);
    EXPECT_EQ(Pixel(target, 0, 0), kRed);
    EXPECT_EQ(Pixel(target, 1, 0), kRed);
    EXPECT_EQ(Pixel(target, 2, 0), kBlue);
    EXPECT_EQ(Pixel(target, 3, 0), kBlue);
}

TEST(BitmapDraw, DrawGraphicAtPlacesTheWholeImage) {
    TBitmap source, target;
    Shape(source, TPixelDepth::Device, 2, 2);
    Paint(source, 0, 0, clRed);
    Shape(target, TPixelDepth::Device, 5, 5);
    target.Canvas().DrawGraphicAt(2, 3, &source);
    EXPECT_EQ(Pixel(target, 2, 3), kRed);
    EXPECT_EQ(Pixel(target, 1, 3), kWhite);
    EXPECT_EQ(Pixel(target, 3, 4), kWhite);
}

TEST(BitmapDraw, NothingToDrawLeavesTheCanvasAlone) {
    TBitmap target, empty;
    Shape(target, TPixelDepth::Device, 2, 2);
    int notices = 0;
    target.OnChange = [&](TObject*) { ++notices; };
    target.Canvas().StretchDrawGraphic(TRect{0, 0, 2, 2}, nullptr);
    target.Canvas().DrawGraphicAt(0, 0, nullptr);
    target.Canvas().DrawGraphicAt(0, 0, &empty);
    EXPECT_EQ(notices, 0);
    // An empty graphic is still asked to draw itself when stretched.
    target.Canvas().StretchDrawGraphic(TRect{0, 0, 2, 2}, &empty);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(Pixel(target, 1, 1), kWhite);
}

// A 2 x 2 picture whose bottom-left pixel (green) is the transparent colour.
void TransparentPicture(TBitmap& picture, TPixelDepth depth) {
    Shape(picture, depth, 2, 2);
    Paint(picture, 0, 0, clRed);
    Paint(picture, 1, 0, clLime);
    Paint(picture, 0, 1, clLime);
    Paint(picture, 1, 1, clRed);
    picture.ChangeTransparent(true);
}

TEST(BitmapDraw, TransparentColourIsTheBottomLeftPixel) {
    TBitmap picture;
    TransparentPicture(picture, TPixelDepth::Bits24);
    EXPECT_EQ(picture.TransparentColor(), TColor(platform::PALETTE_RELATIVE | kGreen));
    TBitmap mono;
    Shape(mono, TPixelDepth::Bits1, 2, 2);
    EXPECT_EQ(mono.TransparentColor(), clWhite);
}

TEST(BitmapDraw, MaskIsSetWhereTheTransparentColourIs) {
    TBitmap picture;
    TransparentPicture(picture, TPixelDepth::Device);
    const HBITMAP mask = picture.MaskSurface();
    ASSERT_NE(mask, nullptr);
    TBitmap view;
    view.AdoptHandle(mask);
    EXPECT_TRUE(view.IsMonochrome());
    EXPECT_EQ(Pixel(view, 0, 0), 0u);
    EXPECT_EQ(Pixel(view, 1, 0), kWhite);
    EXPECT_EQ(Pixel(view, 0, 1), kWhite);
    EXPECT_EQ(Pixel(view, 1, 1), 0u);
}

struct TransparentCase {
    TPixelDepth depth;
    int scale;
    const char* name;
};

class BitmapTransparentDraw : public ::testing::TestWithParam<TransparentCase> {};

TEST_P(BitmapTransparentDraw, TransparentPixelsLeaveTheTarget) {
    TBitmap picture, target;
    TransparentPicture(picture, GetParam().depth);
    const int size = 2 * GetParam().scale;
    Shape(target, TPixelDepth::Device, size, size);
    target.Canvas().Brush().SetColor(clBlue);
    target.Canvas().FillArea(TRect{0, 0, size, size});
    target.Canvas().StretchDrawGraphic(TRect{0, 0, size, size}, &picture);
    const int s = GetParam().scale;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool opaque = (x / s) == (y / s);
            EXPECT_EQ(Pixel(target, x, y), opaque ? kRed : kBlue) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Sizes, BitmapTransparentDraw,
                         ::testing::Values(TransparentCase{TPixelDepth::Device, 1, "SameSizeDevice"},
                                           TransparentCase{TPixelDepth::Bits24, 1, "SameSizeBits24"},
                                           TransparentCase{TPixelDepth::Device, 3, "ScaledDevice"},
                                           TransparentCase{TPixelDepth::Bits8, 2, "ScaledBits8"}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(BitmapDraw, CopyModeAppliesToTheBlit) {
    TBitmap source, target;
    Shape(source, TPixelDepth::Device, 1, 1);
    Shape(target, TPixelDepth::Device, 1, 1);
    Paint(source, 0, 0, clRed);
    target.Canvas().CopyMode = platform::NOTSRCCOPY;
    target.Canvas().StretchDrawGraphic(TRect{0, 0, 1, 1}, &source);
    EXPECT_EQ(Pixel(target, 0, 0), platform::RGB(0, 0xFF, 0xFF));
}
}  // namespace
