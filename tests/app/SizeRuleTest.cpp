#include "app/conversion/SizeRule.h"

#include <gtest/gtest.h>

#include <ostream>

#include "graphics/Exceptions.h"

namespace {

struct SizeCase {
    std::int32_t width, height;
    TSizeRule rule;
    std::int32_t resultWidth, resultHeight;
    std::int32_t previewWidth, previewHeight;
    friend std::ostream& operator<<(std::ostream& out, const SizeCase& c) {
        return out << c.width << " x " << c.height;
    }
};

class SizeRuleTable : public testing::TestWithParam<SizeCase> {};

TEST_P(SizeRuleTable, GivesTheResultSizeAndItsQuarter) {
    const SizeCase& c = GetParam();
    const TResultSize result = ApplySizeRule(c.width, c.height);
    EXPECT_EQ(result.Rule, c.rule);
    EXPECT_EQ(result.Width, c.resultWidth);
    EXPECT_EQ(result.Height, c.resultHeight);
    const TResultSize preview = PreviewSize(result);
    EXPECT_EQ(preview.Width, c.previewWidth);
    EXPECT_EQ(preview.Height, c.previewHeight);
}

// Results worked out by hand: width rule 640 x trunc(H / W * 640), height rule
// trunc(W / H * 480) x 480, each quotient in extended precision; then the preview, a quarter of
// each side rounded down.
INSTANTIATE_TEST_SUITE_P(
    Table, SizeRuleTable,
    testing::Values(SizeCase{1600, 1200, TSizeRule::Width, 640, 480, 160, 120},  //
                    SizeCase{3000, 2000, TSizeRule::Width, 640, 426, 160, 106},  // 0.6666 * 640 = 426.66
                    SizeCase{1000, 757, TSizeRule::Width, 640, 484, 160, 121},   // 0.757 * 640 = 484.48
                    SizeCase{4000, 480, TSizeRule::Width, 640, 76, 160, 19},     // 0.12 * 640 = 76.8
                    SizeCase{320, 240, TSizeRule::Width, 640, 480, 160, 120},    // small pictures grow
                    SizeCase{1200, 1600, TSizeRule::Height, 360, 480, 90, 120},  // portrait
                    SizeCase{2000, 3000, TSizeRule::Height, 320, 480, 80, 120},  //
                    SizeCase{132, 100, TSizeRule::Height, 633, 480, 158, 120},   // ratio exactly 1.32 is not wider
                    SizeCase{1000, 758, TSizeRule::Height, 633, 480, 158, 120},  // 1.3192 * 480 = 633.2
                    SizeCase{640, 400, TSizeRule::Height, 768, 480, 192, 120},   // width 640 never takes the width rule
                    SizeCase{640, 300, TSizeRule::Height, 1024, 480, 256, 120},  //
                    SizeCase{640, 500, TSizeRule::Height, 614, 480, 153, 120},   // 1.28 * 480 = 614.4
                    SizeCase{640, 480, TSizeRule::Fits, 640, 480, 160, 120},     //
                    SizeCase{600, 480, TSizeRule::Fits, 600, 480, 150, 120},     //
                    SizeCase{360, 480, TSizeRule::Fits, 360, 480, 90, 120},      //
                    // 1.05 rounds below 1.05 in extended precision: 503.99.. truncates to 503
                    // (a 53-bit double would give exactly 504).
                    SizeCase{105, 100, TSizeRule::Height, 503, 480, 125, 120},
                    // 2 / 1300 * 640 = 0.98: the width rule leaves no rows.
                    SizeCase{1300, 2, TSizeRule::Width, 640, 0, 160, 0},
                    // A zero width divides nothing by the height: 0 x 480.
                    SizeCase{0, 100, TSizeRule::Height, 0, 480, 0, 120}));

TEST(SizeRule, ZeroHeightIsADivisionByZero) {
    try {
        ApplySizeRule(100, 0);
        FAIL() << "no failure";
    } catch (const EZeroDivide& e) {
        EXPECT_EQ(e.Message(), "Floating point division by zero");
    }
}

TEST(SizeRule, ZeroByZeroIsAnInvalidOperation) {
    try {
        ApplySizeRule(0, 0);
        FAIL() << "no failure";
    } catch (const EInvalidOp& e) {
        EXPECT_EQ(e.Message(), "Invalid floating point operation");
    }
}

TEST(SizeRule, WidthOf640TakesTheHeightRuleEvenWhenVeryWide) {
    // 640 / 1 * 480: the largest result the rule can give, far inside 32 bits.
    const TResultSize result = ApplySizeRule(640, 1);
    EXPECT_EQ(result.Rule, TSizeRule::Height);
    EXPECT_EQ(result.Width, 307200);
}

}  // namespace
