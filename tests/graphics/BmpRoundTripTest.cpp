// Writing and reading back: every depth, the OS/2 form and the forms it cannot hold.
#include <gtest/gtest.h>

#include "BitmapTestSupport.h"

using namespace bitmaptest;

namespace {
using Bytes = std::vector<std::uint8_t>;

struct TripCase {
    TPixelDepth depth;
    int bits;
    std::uint32_t tableEntries;  // written after the header
    const char* name;
};

class BmpRoundTrip : public ::testing::TestWithParam<TripCase> {};

// A 5 x 3 picture with a colour in every corner, written and read back.
TEST_P(BmpRoundTrip, EveryDepthComesBackAsItWas) {
    TBitmap bitmap;
    Shape(bitmap, GetParam().depth, 5, 3);
    Paint(bitmap, 0, 0, clBlack);
    Paint(bitmap, 4, 0, GetParam().bits == 1 ? clBlack : clRed);
    Paint(bitmap, 0, 2, GetParam().bits == 1 ? clBlack : clBlue);
    const Bytes saved = Saved(bitmap);
    ASSERT_GE(saved.size(), 54u);
    EXPECT_EQ(saved[28], GetParam().bits);                                // biBitCount
    EXPECT_EQ(saved[46] | saved[47] << 8, int(GetParam().tableEntries));  // biClrUsed
    const std::size_t masks = GetParam().depth == TPixelDepth::Bits16 ? 12 : 0;
    const std::size_t pixels = std::size_t(RowStride(5, GetParam().bits)) * 3;
    EXPECT_EQ(saved.size(), 54 + masks + 4 * GetParam().tableEntries + pixels);
    TBitmap again;
    Load(again, saved);
    EXPECT_EQ(again.CurrentDepth(), GetParam().depth);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(Pixel(again, x, y), Pixel(bitmap, x, y)) << x << "," << y;
    EXPECT_EQ(Saved(again), saved);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, BmpRoundTrip,
    ::testing::Values(TripCase{TPixelDepth::Bits1, 1, 2, "Bits1"}, TripCase{TPixelDepth::Bits4, 4, 16, "Bits4"},
                      TripCase{TPixelDepth::Bits8, 8, 256, "Bits8"}, TripCase{TPixelDepth::Bits15, 16, 0, "Bits15"},
                      TripCase{TPixelDepth::Bits16, 16, 0, "Bits16"}, TripCase{TPixelDepth::Bits24, 24, 0, "Bits24"},
                      TripCase{TPixelDepth::Bits32, 32, 0, "Bits32"}),
    [](const auto& test) { return std::string(test.param.name); });

// A 4-bit OS/2 file: core header, 16 three-byte entries, one row of two pixels.
Bytes CoreFile4() {
    Bytes b;
    Put16(b, 0x4D42);  // bfType
    Put32(b, 14 + 12 + 48 + 4);
    Put32(b, 0);  // reserved words
    Put32(b, 14 + 12 + 48);
    Put32(b, 12);                                                                        // bcSize
    Put16(b, 2);                                                                         // bcWidth
    Put16(b, 1);                                                                         // bcHeight
    Put16(b, 1);                                                                         // bcPlanes
    Put16(b, 4);                                                                         // bcBitCount
    for (int i = 0; i < 16; ++i) b.insert(b.end(), {std::uint8_t(i * 17), 0x40, 0x00});  // blue, green, red
    b.insert(b.end(), {0x3C, 0x00, 0x00, 0x00});                                         // pixels 3 and 12, padded
    return b;
}

TEST(BmpRoundTrip, CoreFormIsKept) {
    TBitmap bitmap;
    Load(bitmap, CoreFile4());
    EXPECT_EQ(Pixel(bitmap, 1, 0), platform::RGB(0, 0x40, 12 * 17));
    EXPECT_EQ(Saved(bitmap), CoreFile4());
}

// Changed past what the core header can hold, the bitmap is written with a 40-byte header.
TEST(BmpRoundTrip, CoreFormGivesWayWhenItCannotHoldTheBitmap) {
    TBitmap bitmap;
    Load(bitmap, CoreFile4());
    bitmap.ChangeDepth(TPixelDepth::Bits32);
    const Bytes saved = Saved(bitmap);
    ASSERT_GE(saved.size(), 54u);
    EXPECT_EQ(saved[14], 40);  // biSize
    TBitmap again;
    Load(again, saved);
    EXPECT_EQ(Pixel(again, 1, 0), platform::RGB(0, 0x40, 12 * 17));
}

TEST(BmpRoundTrip, CoreFormSurvivesAResize) {
    TBitmap bitmap;
    Load(bitmap, CoreFile4());
    bitmap.ResizeWidth(3);
    const Bytes saved = Saved(bitmap);
    EXPECT_EQ(saved[14], 12);  // still the core header
    TBitmap again;
    Load(again, saved);
    EXPECT_EQ(again.ImageWidth(), 3);
    EXPECT_EQ(Pixel(again, 1, 0), platform::RGB(0, 0x40, 12 * 17));
}

TEST(BmpRoundTrip, TwentyFourBitsKeepTheirOptionalTable) {
    Bytes b;
    Put16(b, 0x4D42);                             // bfType
    Put32(b, 0);                                  // bfSize
    Put32(b, 0);                                  // reserved words
    Put32(b, 0);                                  // bfOffBits
    Put32(b, 40);                                 // biSize
    Put32(b, 1);                                  // width
    Put32(b, 1);                                  // height
    Put16(b, 1);                                  // planes
    Put16(b, 24);                                 // bit count
    for (int i = 0; i < 4; ++i) Put32(b, 0);      // compression, image size, densities
    Put32(b, 2);                                  // biClrUsed: an optional table of 2
    Put32(b, 0);                                  // biClrImportant
    Put32(b, 0x0000FF);                           // entry 0: blue
    Put32(b, 0x00FF00);                           // entry 1: green
    b.insert(b.end(), {0x00, 0x00, 0xFF, 0x00});  // one red pixel
    TBitmap bitmap;
    Load(bitmap, b);
    ASSERT_NE(bitmap.PaletteHandle(), nullptr);
    const Bytes saved = Saved(bitmap);
    EXPECT_EQ(saved[46], 2);  // biClrUsed
    EXPECT_EQ(saved.size(), 54u + 8u + 4u);
    TBitmap again;
    Load(again, saved);
    EXPECT_EQ(Pixel(again, 0, 0), platform::RGB(0xFF, 0, 0));
}

TEST(BmpRoundTrip, DeviceBitmapIsWrittenAtTheDisplayDepth) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Device, 2, 2);
    Paint(bitmap, 1, 0, clRed);
    const Bytes saved = Saved(bitmap);
    ASSERT_GE(saved.size(), 54u);
    EXPECT_EQ(saved[28], 32);
    TBitmap again;
    Load(again, saved);
    EXPECT_EQ(Pixel(again, 1, 0), platform::RGB(0xFF, 0, 0));
    EXPECT_EQ(Pixel(again, 0, 0), 0xFFFFFFu);
}
}  // namespace
