// Rows decoded at N/8 of the picture's size for the smooth reduction: the size libjpeg gives is
// the one the reduction plans with, and the pixels are djpeg's at the same scale.

#include <gtest/gtest.h>

#include "JpegTestSupport.h"
#include "jpeg/DctScale.h"
#include "jpeg/JpegRowReader.h"

using namespace jpegtest;

namespace {

struct ScaledCase {
    int eighths;
    int width, height;
    bool gray;
};

void PrintTo(const ScaledCase& c, std::ostream* os) {
    *os << c.eighths << "/8 of " << c.width << "x" << c.height << (c.gray ? " gray" : "");
}

class JpegScaledRows : public ::testing::TestWithParam<ScaledCase> {};

TEST_P(JpegScaledRows, HaveThePlannedSizeAndDjpegsPixels) {
    const ScaledCase& c = GetParam();
    const Bytes bytes = EncodePattern(c.width, c.height, {.quality = 95, .gray = c.gray});
    const auto image = Load(bytes);
    Picture rows;
    rows.width = jpeg::DctScaledSide(c.width, c.eighths);
    const bool streamed =
        jpeg::StreamJpegRows(*image,
                             [&](std::int32_t row, const std::uint8_t* bgr, std::int32_t width) {
                                 ASSERT_EQ(width, rows.width);
                                 ASSERT_EQ(row, rows.height++);
                                 for (int x = 0; x < width; ++x)
                                     rows.pixels.push_back({bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]});
                             },
                             {}, nullptr, {.scaleEighths = c.eighths, .grayAsBgr = true});
    ASSERT_TRUE(streamed);
    EXPECT_EQ(rows.height, jpeg::DctScaledSide(c.height, c.eighths));
    EXPECT_FALSE(image->HeldBitmap());

    testdata::TempDir temp;
    WriteFile(temp.File("in.jpg"), bytes);
    const auto reference = Djpeg(temp.File("in.jpg"), "-dct float -scale " + std::to_string(c.eighths) + "/8");
    if (!reference) GTEST_SKIP() << "djpeg not available";
    ASSERT_EQ(reference->width, rows.width);
    ASSERT_EQ(reference->height, rows.height);
    EXPECT_TRUE(reference->pixels == rows.pixels);
}

INSTANTIATE_TEST_SUITE_P(EveryScale, JpegScaledRows,
                         ::testing::Values(ScaledCase{1, 1001, 333, false}, ScaledCase{2, 1001, 333, false},
                                           ScaledCase{3, 1001, 333, false}, ScaledCase{4, 1001, 333, false},
                                           ScaledCase{5, 1001, 333, false}, ScaledCase{6, 1001, 333, false},
                                           ScaledCase{7, 1001, 333, false}, ScaledCase{8, 1001, 333, false},
                                           ScaledCase{1, 3, 2, false},  // one pixel each way
                                           ScaledCase{3, 37, 9, true}, ScaledCase{8, 37, 9, true}));

// The smallest scale holds the target on both sides; the next smaller one would not.
TEST(DctScale, IsTheSmallestThatHoldsTheTarget) {
    struct Case {
        int width, height, targetWidth, targetHeight, eighths;
    };
    for (const Case c : {Case{5640, 3172, 640, 360, 1}, Case{1280, 960, 640, 480, 4}, Case{1281, 960, 640, 480, 4},
                         Case{1000, 757, 640, 484, 6}, Case{800, 600, 640, 480, 7}, Case{640, 480, 640, 480, 8},
                         Case{320, 240, 640, 480, 8}, Case{4000, 3, 640, 1, 2}}) {
        EXPECT_EQ(jpeg::SmallestDctScale(c.width, c.height, c.targetWidth, c.targetHeight), c.eighths)
            << c.width << "x" << c.height;
    }
}

}  // namespace
