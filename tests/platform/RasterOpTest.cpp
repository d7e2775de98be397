// Raster operations: every index is its own truth table, the named codes do what their names say,
// and a blit applies them bitwise to pattern, source and destination colours.
#include <gtest/gtest.h>

#include "RasterFixture.h"
#include "platform/RasterOp.h"

using namespace rastertest;

namespace {

TEST(Rop3, EveryIndexIsItsTruthTable) {
    // Evaluated on the canonical operands P = 0xF0, S = 0xCC, D = 0xAA (per byte), an operation
    // yields its own index in every byte.
    for (unsigned index = 0; index < 256; ++index) {
        const Rgb result = Rop3(std::uint8_t(index), 0xF0F0F0, 0xCCCCCC, 0xAAAAAA);
        EXPECT_EQ(result, Rgb(index) * 0x010101) << index;
    }
}

struct NamedRop {
    const char* name;
    std::uint32_t code;
    Rgb (*expected)(Rgb p, Rgb s, Rgb d);
};

constexpr Rgb kMask = 0xFFFFFF;
const NamedRop kNamed[] = {
    {"SRCCOPY", SRCCOPY, [](Rgb, Rgb s, Rgb) { return s; }},
    {"SRCPAINT", SRCPAINT, [](Rgb, Rgb s, Rgb d) { return s | d; }},
    {"SRCAND", SRCAND, [](Rgb, Rgb s, Rgb d) { return s & d; }},
    {"SRCINVERT", SRCINVERT, [](Rgb, Rgb s, Rgb d) { return s ^ d; }},
    {"SRCERASE", SRCERASE, [](Rgb, Rgb s, Rgb d) { return s & ~d & kMask; }},
    {"NOTSRCCOPY", NOTSRCCOPY, [](Rgb, Rgb s, Rgb) { return ~s & kMask; }},
    {"NOTSRCERASE", NOTSRCERASE, [](Rgb, Rgb s, Rgb d) { return ~(s | d) & kMask; }},
    {"MERGECOPY", MERGECOPY, [](Rgb p, Rgb s, Rgb) { return p & s; }},
    {"MERGEPAINT", MERGEPAINT, [](Rgb, Rgb s, Rgb d) { return (~s | d) & kMask; }},
    {"PATCOPY", PATCOPY, [](Rgb p, Rgb, Rgb) { return p; }},
    {"PATPAINT", PATPAINT, [](Rgb p, Rgb s, Rgb d) { return (p | ~s | d) & kMask; }},
    {"PATINVERT", PATINVERT, [](Rgb p, Rgb, Rgb d) { return p ^ d; }},
    {"DSTINVERT", DSTINVERT, [](Rgb, Rgb, Rgb d) { return ~d & kMask; }},
    {"BLACKNESS", BLACKNESS, [](Rgb, Rgb, Rgb) { return Rgb(0); }},
    {"WHITENESS", WHITENESS, [](Rgb, Rgb, Rgb) { return kMask; }},
    {"keep destination", 0x00AA0029, [](Rgb, Rgb, Rgb d) { return d; }},
};

class NamedRopTest : public ::testing::TestWithParam<NamedRop> {};

TEST_P(NamedRopTest, MatchesItsBooleanFormula) {
    const NamedRop& rop = GetParam();
    const Rgb operands[][3] = {{0x000000, 0x000000, 0x000000},
                               {0xFFFFFF, 0x123456, 0x0F0F0F},
                               {0x00FF00, 0xFF00FF, 0x808080},
                               {0xA5A5A5, 0x5A5A5A, 0xFFFFFF}};
    for (const auto& o : operands)
        EXPECT_EQ(Rop3(RopIndex(rop.code), o[0], o[1], o[2]), rop.expected(o[0], o[1], o[2])) << rop.name;
}

TEST_P(NamedRopTest, BlitAppliesItPerPixel) {
    const NamedRop& rop = GetParam();
    const Rgb p = 0x3366CC, s = 0x0FF0A5, d = 0xC3C3C3;
    Canvas target = Canvas::Device(2, 1), source = Canvas::Device(2, 1);
    target.SetRow(0, {ColorRefFromRgb(d), ColorRefFromRgb(d)});
    source.SetRow(0, {ColorRefFromRgb(s), ColorRefFromRgb(s)});
    SelectObject(target.dc, CreateBrushIndirect(LOGBRUSH{BS_SOLID, ColorRefFromRgb(p), 0}));
    ASSERT_TRUE(BitBlt(target.dc, 0, 0, 2, 1, source.dc, 0, 0, rop.code));
    EXPECT_EQ(GetPixel(target.dc, 1, 0), ColorRefFromRgb(rop.expected(p, s, d))) << rop.name;
}

INSTANTIATE_TEST_SUITE_P(Codes, NamedRopTest, ::testing::ValuesIn(kNamed));

TEST(Rop3, OperandUseFollowsTheTable) {
    EXPECT_TRUE(RopUsesSource(RopIndex(SRCCOPY)));
    EXPECT_FALSE(RopUsesPattern(RopIndex(SRCCOPY)));
    EXPECT_FALSE(RopUsesDestination(RopIndex(SRCCOPY)));
    EXPECT_TRUE(RopUsesPattern(RopIndex(PATINVERT)));
    EXPECT_TRUE(RopUsesDestination(RopIndex(PATINVERT)));
    EXPECT_FALSE(RopUsesSource(RopIndex(PATINVERT)));
    EXPECT_FALSE(RopUsesSource(RopIndex(WHITENESS)));
    EXPECT_FALSE(RopUsesDestination(RopIndex(BLACKNESS)));
}

TEST(PatBlt, RefusesOperationsThatNeedASource) {
    Canvas target = Canvas::Device(2, 2);
    EXPECT_FALSE(PatBlt(target.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_TRUE(PatBlt(target.dc, 0, 0, 2, 2, WHITENESS));
    EXPECT_EQ(GetPixel(target.dc, 1, 1), RGB(255, 255, 255));
    EXPECT_TRUE(PatBlt(target.dc, 1, 1, 1, 1, BLACKNESS));
    EXPECT_EQ(GetPixel(target.dc, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(target.dc, 0, 0), RGB(255, 255, 255));
}

TEST(BitBlt, NeedsASourceWhenTheOperationReadsOne) {
    Canvas target = Canvas::Device(2, 2);
    EXPECT_FALSE(BitBlt(target.dc, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(target.dc, 0, 0, 2, 2, nullptr, 0, 0, WHITENESS));
}

TEST(BitBlt, OverlappingCopyWithinOneSurfaceReadsTheOriginal) {
    Canvas c = Canvas::Device(4, 1);
    c.SetRow(0, {RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0), RGB(4, 0, 0)});
    ASSERT_TRUE(BitBlt(c.dc, 1, 0, 3, 1, c.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(c.GetRow(0, 4), (std::vector<COLORREF>{RGB(1, 0, 0), RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0)}));
}

}  // namespace
