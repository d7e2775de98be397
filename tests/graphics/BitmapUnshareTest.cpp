// Un-sharing a bitmap of more than 8 bits copies its rows bytewise; the copy must hold exactly the
// bytes of every pixel of the original, small pictures and mapped large ones alike.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "BitmapTestSupport.h"

using namespace bitmaptest;

namespace {

struct UnshareCase {
    const char* name;
    TPixelDepth depth;
    int bits;
    int width, height;
};

const UnshareCase kCases[] = {
    {"bits15", TPixelDepth::Bits15, 16, 37, 23},
    {"bits16", TPixelDepth::Bits16, 16, 37, 23},
    {"bits24", TPixelDepth::Bits24, 24, 37, 23},
    {"bits24_wide", TPixelDepth::Bits24, 24, 5, 1},
    {"bits32", TPixelDepth::Bits32, 32, 37, 23},
    {"bits24_large", TPixelDepth::Bits24, 24, 2001, 1500},  // 9 MB: mapped memory
};

class BitmapUnshare : public ::testing::TestWithParam<UnshareCase> {};

TEST_P(BitmapUnshare, CopyHoldsTheSamePixelBytes) {
    const UnshareCase& c = GetParam();
    TBitmap original;
    Shape(original, c.depth, c.width, c.height);
    const std::size_t pixelBytes = std::size_t(c.width) * std::size_t(c.bits) / 8;
    std::mt19937 random(7);
    for (int y = 0; y < c.height; ++y) {
        std::uint8_t* row = original.ScanRow(y);
        for (std::size_t i = 0; i < pixelBytes; ++i) row[i] = std::uint8_t(random());
    }
    TBitmap copy;
    copy.CopyFrom(&original);
    std::uint8_t* first = copy.ScanRow(0);  // un-shares
    ASSERT_NE(first, original.ScanRow(0));
    for (int y = 0; y < c.height; ++y)
        ASSERT_EQ(std::memcmp(copy.ScanRow(y), original.ScanRow(y), pixelBytes), 0) << "row " << y;
    EXPECT_EQ(copy.CurrentDepth(), original.CurrentDepth());
    // And they are apart now.
    copy.ScanRow(0)[0] ^= 0xFF;
    EXPECT_NE(copy.ScanRow(0)[0], original.ScanRow(0)[0]);
}

INSTANTIATE_TEST_SUITE_P(Depths, BitmapUnshare, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

// A fresh bitmap is white; the fast fill must give the bytes the depth stores white as.
TEST(BitmapFreshFill, NewBitmapsAreWhiteOnEveryDepth) {
    for (TPixelDepth depth : {TPixelDepth::Bits15, TPixelDepth::Bits16, TPixelDepth::Bits24, TPixelDepth::Bits32}) {
        TBitmap bitmap;
        Shape(bitmap, depth, 13, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 13; ++x) EXPECT_EQ(Pixel(bitmap, x, y), platform::RGB(255, 255, 255));
    }
    TBitmap wide;
    Shape(wide, TPixelDepth::Bits24, 2001, 1500);
    const std::uint8_t* row = wide.ScanRow(1499);
    for (int i = 0; i < 2001 * 3; ++i) ASSERT_EQ(row[i], 0xFF) << i;
}

}  // namespace
