// Pixel depths: conversions, row strides and addresses, handle kinds, row access.
#include <gtest/gtest.h>

#include <cstring>

#include "BitmapTestSupport.h"
#include "graphics/Exceptions.h"

using namespace bitmaptest;

namespace {
constexpr platform::COLORREF kRed = platform::RGB(0xFF, 0, 0);
constexpr platform::COLORREF kGreen = platform::RGB(0, 0xFF, 0);
constexpr platform::COLORREF kBlue = platform::RGB(0, 0, 0xFF);
constexpr platform::COLORREF kWhite = platform::RGB(0xFF, 0xFF, 0xFF);

struct DepthCase {
    TPixelDepth depth;
    const char* name;
    int strideOfWidth3;   // ((3 * bits + 31) / 32) * 4
    bool keepsPrimaries;  // red, green and blue survive the conversion exactly
};

const DepthCase kDepths[] = {
    {TPixelDepth::Bits1, "Bits1", 4, false},   {TPixelDepth::Bits4, "Bits4", 4, true},
    {TPixelDepth::Bits8, "Bits8", 4, true},    {TPixelDepth::Bits15, "Bits15", 8, true},
    {TPixelDepth::Bits16, "Bits16", 8, true},  {TPixelDepth::Bits24, "Bits24", 12, true},
    {TPixelDepth::Bits32, "Bits32", 12, true},
};

class BitmapDepth : public ::testing::TestWithParam<DepthCase> {};

// A device-dependent 3 x 2 bitmap: red, green, blue over black, white, black.
void PaintPattern(TBitmap& bitmap) {
    Shape(bitmap, TPixelDepth::Device, 3, 2);
    Paint(bitmap, 0, 0, clRed);
    Paint(bitmap, 1, 0, clLime);
    Paint(bitmap, 2, 0, clBlue);
    Paint(bitmap, 0, 1, clBlack);
    Paint(bitmap, 2, 1, clBlack);
}

TEST_P(BitmapDepth, ConversionGivesBottomUpSectionOfThatDepth) {
    TBitmap bitmap;
    PaintPattern(bitmap);
    bitmap.ChangeDepth(GetParam().depth);
    EXPECT_EQ(bitmap.CurrentDepth(), GetParam().depth);
    EXPECT_EQ(bitmap.HandleKind(), THandleKind::DeviceIndependent);
    EXPECT_EQ(bitmap.ImageWidth(), 3);
    EXPECT_EQ(bitmap.ImageHeight(), 2);
    // Bottom-up: the top row is stored last, so row addresses descend by one stride.
    EXPECT_EQ(bitmap.ScanRow(0) - bitmap.ScanRow(1), GetParam().strideOfWidth3);
}

TEST_P(BitmapDepth, ConversionKeepsColours) {
    TBitmap bitmap;
    PaintPattern(bitmap);
    bitmap.ChangeDepth(GetParam().depth);
    EXPECT_EQ(Pixel(bitmap, 0, 1), 0u);
    EXPECT_EQ(Pixel(bitmap, 1, 1), kWhite);
    if (!GetParam().keepsPrimaries) return;
    EXPECT_EQ(Pixel(bitmap, 0, 0), kRed);
    EXPECT_EQ(Pixel(bitmap, 1, 0), kGreen);
    EXPECT_EQ(Pixel(bitmap, 2, 0), kBlue);
}

TEST_P(BitmapDepth, BackToDeviceKeepsColours) {
    TBitmap bitmap;
    PaintPattern(bitmap);
    bitmap.ChangeDepth(GetParam().depth);
    bitmap.ChangeDepth(TPixelDepth::Device);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Device);
    EXPECT_EQ(bitmap.HandleKind(), THandleKind::DeviceDependent);
    EXPECT_EQ(Pixel(bitmap, 1, 1), kWhite);
    if (GetParam().keepsPrimaries) {
        EXPECT_EQ(Pixel(bitmap, 2, 0), kBlue);
    }
}

TEST_P(BitmapDepth, RowsOutsideTheBitmapAreRefused) {
    TBitmap bitmap;
    Shape(bitmap, GetParam().depth, 3, 2);
    for (int row : {-1, 2, 1000}) {
        SCOPED_TRACE(row);
        ExpectFailure<EInvalidGraphicOperation>([&] { bitmap.ScanRow(row); }, "Scan line index out of range");
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapDepth, ::testing::ValuesIn(kDepths),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(BitmapDepth, TwentyFourBitRowsHoldBlueGreenRed) {
    TBitmap bitmap;
    PaintPattern(bitmap);
    bitmap.ChangeDepth(TPixelDepth::Bits24);
    const std::uint8_t top[9] = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00};
    EXPECT_EQ(std::memcmp(bitmap.ScanRow(0), top, sizeof top), 0);
    const std::uint8_t bottom[9] = {0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bitmap.ScanRow(1), bottom, sizeof bottom), 0);
}

TEST(BitmapDepth, SixteenBitsUse565AndFifteenBits555) {
    TBitmap b16, b15;
    PaintPattern(b16);
    PaintPattern(b15);
    b16.ChangeDepth(TPixelDepth::Bits16);
    b15.ChangeDepth(TPixelDepth::Bits15);
    std::uint16_t red16, green16, red15, green15;
    std::memcpy(&red16, b16.ScanRow(0), 2);
    std::memcpy(&green16, b16.ScanRow(0) + 2, 2);
    std::memcpy(&red15, b15.ScanRow(0), 2);
    std::memcpy(&green15, b15.ScanRow(0) + 2, 2);
    EXPECT_EQ(red16, 0xF800);
    EXPECT_EQ(green16, 0x07E0);
    EXPECT_EQ(red15, 0x7C00);
    EXPECT_EQ(green15, 0x03E0);
}

TEST(BitmapDepth, FourBitsUseTheStandardSixteenColours) {
    TBitmap bitmap;
    PaintPattern(bitmap);
    bitmap.ChangeDepth(TPixelDepth::Bits4);
    const HPALETTE palette = bitmap.PaletteHandle();
    ASSERT_NE(palette, nullptr);
    ASSERT_EQ(platform::GetPaletteEntryCount(palette), 16u);
    platform::PALETTEENTRY entries[16];
    platform::GetPaletteEntries(palette, 0, 16, entries);
    EXPECT_EQ(entries[1], (platform::PALETTEENTRY{0x80, 0, 0, 0}));
    EXPECT_EQ(entries[8], (platform::PALETTEENTRY{0xC0, 0xC0, 0xC0, 0}));
    EXPECT_EQ(entries[12], (platform::PALETTEENTRY{0, 0, 0xFF, 0}));
    EXPECT_EQ(entries[15], (platform::PALETTEENTRY{0xFF, 0xFF, 0xFF, 0}));
    // Red is entry 9: the first pixel's high nibble.
    EXPECT_EQ(bitmap.ScanRow(0)[0] >> 4, 9);
}

TEST(BitmapDepth, CustomCannotBeRequested) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits24, 2, 2);
    ExpectFailure<EInvalidGraphic>([&] { bitmap.ChangeDepth(TPixelDepth::Custom); }, "Invalid pixel format");
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits24);
}

TEST(BitmapDepth, RowWritesShowInTheCanvas) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits32, 2, 2);
    std::uint8_t* row = bitmap.ScanRow(1);
    row[4] = 0x10;  // blue
    row[5] = 0x20;  // green
    row[6] = 0x30;  // red
    EXPECT_EQ(Pixel(bitmap, 1, 1), platform::RGB(0x30, 0x20, 0x10));
    EXPECT_EQ(Pixel(bitmap, 1, 0), kWhite);
}

TEST(BitmapDepth, HandleKindOfAnEmptyBitmapDecidesTheFirstSurface) {
    TBitmap bitmap;
    EXPECT_EQ(bitmap.HandleKind(), THandleKind::DeviceDependent);
    bitmap.ChangeHandleKind(THandleKind::DeviceIndependent);
    EXPECT_EQ(bitmap.HandleKind(), THandleKind::DeviceIndependent);
    bitmap.ResizeWidth(2);
    bitmap.ResizeHeight(2);
    EXPECT_EQ(bitmap.HandleKind(), THandleKind::DeviceIndependent);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits32);  // the display's depth
    EXPECT_EQ(Pixel(bitmap, 1, 1), kWhite);
}

TEST(BitmapDepth, HandleKindChangesBothWaysKeepPixels) {
    TBitmap bitmap;
    PaintPattern(bitmap);
    bitmap.ChangeHandleKind(THandleKind::DeviceIndependent);
    EXPECT_EQ(bitmap.HandleKind(), THandleKind::DeviceIndependent);
    EXPECT_EQ(Pixel(bitmap, 0, 0), kRed);
    bitmap.ChangeHandleKind(THandleKind::DeviceDependent);
    EXPECT_EQ(bitmap.HandleKind(), THandleKind::DeviceDependent);
    EXPECT_EQ(Pixel(bitmap, 1, 0), kGreen);
    bitmap.ResizeWidth(4);  // resizing keeps the kind
    EXPECT_EQ(bitmap.HandleKind(), THandleKind::DeviceDependent);
    EXPECT_EQ(Pixel(bitmap, 2, 0), kBlue);
}

TEST(BitmapDepth, MonochromeAndBack) {
    TBitmap bitmap;
    PaintPattern(bitmap);
    bitmap.ChangeMonochrome(true);
    EXPECT_TRUE(bitmap.IsMonochrome());
    EXPECT_EQ(bitmap.HandleKind(), THandleKind::DeviceDependent);
    EXPECT_EQ(Pixel(bitmap, 1, 1), kWhite);
    EXPECT_EQ(Pixel(bitmap, 0, 1), 0u);
    bitmap.ChangeMonochrome(false);
    EXPECT_FALSE(bitmap.IsMonochrome());
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Device);
    EXPECT_EQ(Pixel(bitmap, 1, 1), kWhite);
}

TEST(BitmapDepth, DeviceBitmapRowsComeFromAReadCopy) {
    TBitmap bitmap;
    PaintPattern(bitmap);
    const std::uint8_t* row = bitmap.ScanRow(0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Device);
    EXPECT_EQ(row[2], 0xFF);  // the display's 32-bit copy: red's red byte
}
}  // namespace
