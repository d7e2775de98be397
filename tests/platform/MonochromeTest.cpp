// Monochrome surfaces meet colour ones through the contexts' text and background colours.
#include <gtest/gtest.h>

#include "RasterFixture.h"

using namespace rastertest;

namespace {

const COLORREF kText = RGB(200, 10, 10), kBack = RGB(10, 200, 10);

TEST(Monochrome, DeviceSourceTakesTargetTextForZeroAndBackgroundForOne) {
    // One row of 8 pixels, padded to 2 bytes: 1 0 1 1 0 0 0 0.
    const std::uint8_t bits[] = {0xB0, 0x00};
    Canvas source(CreateBitmap(8, 1, 1, 1, bits));
    Canvas target = Canvas::Device(4, 1);
    SetTextColor(target.dc, kText);
    SetBkColor(target.dc, kBack);
    SetTextColor(source.dc, RGB(1, 2, 3));  // the source context's colours play no part
    SetBkColor(source.dc, RGB(4, 5, 6));
    ASSERT_TRUE(BitBlt(target.dc, 0, 0, 4, 1, source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(target.GetRow(0, 4), (std::vector<COLORREF>{kBack, kText, kBack, kBack}));
}

TEST(Monochrome, ColourSourceGivesWhereItMatchesSourceBackground) {
    Canvas source = Canvas::Device(4, 1);
    source.SetRow(0, {RGB(1, 2, 3), RGB(9, 9, 9), RGB(1, 2, 3), RGB(255, 255, 255)});
    SetBkColor(source.dc, RGB(1, 2, 3));
    Canvas target = Canvas::Mono(4, 1);
    ASSERT_TRUE(BitBlt(target.dc, 0, 0, 4, 1, source.dc, 0, 0, SRCCOPY));
    const COLORREF W = RGB(255, 255, 255), K = 0;
    EXPECT_EQ(target.GetRow(0, 4), (std::vector<COLORREF>{W, K, W, K}));
}

TEST(Monochrome, DibSectionUsesItsColourTable) {
    BITMAPINFO info = Info(2, 1, 1);
    info.bmiColors = {RGBQUAD{0, 0, 255, 0}, RGBQUAD{255, 0, 0, 0}};  // red, blue
    Canvas source = Canvas::Dib(info);
    source.Bytes()[0] = 0x40;  // pixels 0 1
    Canvas target = Canvas::Device(2, 1);
    SetTextColor(target.dc, kText);
    SetBkColor(target.dc, kBack);
    ASSERT_TRUE(BitBlt(target.dc, 0, 0, 2, 1, source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(target.GetRow(0, 2), (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 0, 255)}));
}

TEST(Monochrome, BitsCopyUnchangedBetweenMonochromeSurfaces) {
    const std::uint8_t bits[] = {0xA0, 0x00};  // 1 0 1 0
    Canvas source(CreateBitmap(4, 1, 1, 1, bits));
    BITMAPINFO info = Info(4, 1, 1);
    info.bmiColors = {RGBQUAD{0, 0, 255, 0}, RGBQUAD{0, 255, 0, 0}};  // red, green
    Canvas target = Canvas::Dib(info);
    ASSERT_TRUE(BitBlt(target.dc, 0, 0, 4, 1, source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(target.Bytes()[0] & 0xF0, 0xA0);
}

TEST(Monochrome, SetPixelStoresTheNearerOfBlackAndWhite) {
    Canvas c = Canvas::Mono(2, 1);
    EXPECT_EQ(SetPixel(c.dc, 0, 0, RGB(200, 200, 200)), RGB(255, 255, 255));
    EXPECT_EQ(SetPixel(c.dc, 1, 0, RGB(40, 40, 40)), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(255, 255, 255));
}

TEST(MaskBlt, SetMaskBitsTakeForegroundClearBitsBackground) {
    Canvas source = Canvas::Device(4, 1);
    source.Fill(RGB(9, 9, 9), 4, 1);
    Canvas target = Canvas::Device(4, 1);
    target.Fill(RGB(1, 1, 1), 4, 1);
    const std::uint8_t maskBits[] = {0x60, 0x00};  // 0 1 1 0
    HBITMAP mask = CreateBitmap(4, 1, 1, 1, maskBits);
    // Mask 1: keep the destination; mask 0: copy the source.
    ASSERT_TRUE(MaskBlt(target.dc, 0, 0, 4, 1, source.dc, 0, 0, mask, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY)));
    EXPECT_EQ(target.GetRow(0, 4), (std::vector<COLORREF>{RGB(9, 9, 9), RGB(1, 1, 1), RGB(1, 1, 1), RGB(9, 9, 9)}));
}

TEST(MaskBlt, MaskOriginShiftsTheMask) {
    Canvas source = Canvas::Device(2, 1);
    source.Fill(RGB(9, 9, 9), 2, 1);
    Canvas target = Canvas::Device(2, 1);
    const std::uint8_t maskBits[] = {0x40, 0x00};  // 0 1 0 0
    HBITMAP mask = CreateBitmap(4, 1, 1, 1, maskBits);
    // Mask origin 1: target pixel 0 reads mask bit 1 (set), pixel 1 mask bit 2 (clear).
    ASSERT_TRUE(MaskBlt(target.dc, 0, 0, 2, 1, source.dc, 0, 0, mask, 1, 0, MAKEROP4(SRCCOPY, 0x00AA0029)));
    EXPECT_EQ(target.GetRow(0, 2), (std::vector<COLORREF>{RGB(9, 9, 9), 0}));
}

TEST(MaskBlt, RefusesAColourMask) {
    Canvas source = Canvas::Device(2, 1), target = Canvas::Device(2, 1);
    HBITMAP colour = CreateCompatibleBitmap(nullptr, 2, 1);
    EXPECT_FALSE(MaskBlt(target.dc, 0, 0, 2, 1, source.dc, 0, 0, colour, 0, 0, SRCCOPY));
}

}  // namespace
