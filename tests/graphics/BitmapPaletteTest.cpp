// Palettes of bitmaps, handles taken and given, and the clipboard form.
#include <gtest/gtest.h>

#include "BitmapTestSupport.h"
#include "graphics/Exceptions.h"

using namespace bitmaptest;

namespace {
constexpr platform::COLORREF kRed = platform::RGB(0xFF, 0, 0);

// Display settings changed for one test and put back after it.
class PaletteDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = platform::Display();
        platform::Display().bitsPerPixel = 8;
    }
    void TearDown() override { platform::Display() = saved_; }

private:
    platform::DisplaySettings saved_;
};

TEST_F(PaletteDisplay, DeepBitmapGetsAHalftonePalette) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits24, 2, 2);
    EXPECT_NE(bitmap.PaletteHandle(), nullptr);
}

// On a palette display the display-format bitmaps are 8 bits: deep pictures are halftoned
// into them, and they are written as 8-bit files.
TEST_F(PaletteDisplay, DeviceBitmapsAreEightBits) {
    TBitmap picture, preview;
    Shape(picture, TPixelDepth::Bits24, 4, 4);
    Paint(picture, 0, 0, clBlack);
    Shape(preview, TPixelDepth::Device, 2, 2);
    preview.Canvas().StretchDrawGraphic(TRect{0, 0, 2, 2}, &picture);
    EXPECT_EQ(platform::GetStretchBltMode(preview.Canvas().Handle()), platform::HALFTONE);
    TMemoryStream stream;
    preview.SaveToStream(stream);
    ASSERT_GE(stream.Size(), 54);
    EXPECT_EQ(stream.Memory()[28], 8);  // biBitCount
}

TEST(BitmapPalette, TrueColourDisplayNeedsNoPaletteForDeepBitmaps) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits24, 2, 2);
    EXPECT_EQ(bitmap.PaletteHandle(), nullptr);
}

TEST(BitmapPalette, EightBitPaletteComesFromTheColourTable) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits1, 2, 2);
    const HPALETTE palette = bitmap.PaletteHandle();
    ASSERT_NE(palette, nullptr);
    ASSERT_EQ(platform::GetPaletteEntryCount(palette), 2u);
    platform::PALETTEENTRY entries[2];
    platform::GetPaletteEntries(palette, 0, 2, entries);
    EXPECT_EQ(entries[0], (platform::PALETTEENTRY{0, 0, 0, 0}));
    EXPECT_EQ(entries[1], (platform::PALETTEENTRY{0xFF, 0xFF, 0xFF, 0}));
}

TEST(BitmapPalette, AdoptedPaletteBecomesTheColourTable) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits1, 2, 1);
    const platform::PALETTEENTRY entries[2] = {{0, 0, 0xFF, 0}, {0xFF, 0, 0, 0}};  // blue, red
    const HPALETTE palette = platform::CreatePalette(entries, 2);
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.AdoptPalette(palette);
    EXPECT_EQ(bitmap.PaletteHandle(), palette);
    EXPECT_TRUE(bitmap.PaletteModified());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Pixel(bitmap, 0, 0), kRed);  // white was index 1: now red
}

TEST(BitmapHandles, AdoptedSurfaceIsTheContent) {
    TBitmap source;
    Shape(source, TPixelDepth::Bits24, 3, 2);
    Paint(source, 2, 1, clRed);
    const HBITMAP surface = source.DetachHandle();
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(source.BitmapHandle(), nullptr);
    TBitmap bitmap;
    bitmap.AdoptHandle(surface);
    EXPECT_EQ(bitmap.ImageWidth(), 3);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits24);
    EXPECT_EQ(Pixel(bitmap, 2, 1), kRed);
    EXPECT_EQ(bitmap.BitmapHandle(), surface);
    bitmap.AdoptHandle(nullptr);
    EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(BitmapClipboard, WrittenAndReadBack) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits8, 3, 2);
    Paint(bitmap, 1, 1, clRed);
    std::uint16_t format = 0;
    TClipboardData data;
    HPALETTE palette;
    bitmap.WriteToClipboard(format, data, palette);
    EXPECT_EQ(format, 2);
    ASSERT_NE(data, nullptr);
    TBitmap pasted;
    pasted.ReadFromClipboard(format, data, palette);
    EXPECT_EQ(pasted.CurrentDepth(), TPixelDepth::Device);
    EXPECT_EQ(pasted.ImageWidth(), 3);
    EXPECT_EQ(Pixel(pasted, 1, 1), kRed);
}

TEST(BitmapClipboard, OtherFormatsRefused) {
    TBitmap bitmap;
    ExpectFailure<EInvalidGraphic>([&] { bitmap.ReadFromClipboard(3, TClipboardData{}, nullptr); },
                                   "Unsupported clipboard format");
}
}  // namespace
