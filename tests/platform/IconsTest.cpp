// Drawing icons: the mask ANDed in and the colour XORed over it, each part alone, stretched.

#include <gtest/gtest.h>

#include "RasterFixture.h"
#include "platform/Icons.h"

namespace {

using namespace rastertest;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);  // green inverted

// Three pixels: opaque red; transparent (mask 1, colour black); inverting (mask 1, colour white).
HICON ThreePixelIcon() {
    const Canvas color = Canvas::Device(3, 1);
    color.SetRow(0, {kRed, kBlack, kWhite});
    const Canvas mask = Canvas::Mono(3, 1);
    mask.SetRow(0, {kBlack, kWhite, kWhite});
    ICONINFO info;
    info.hbmColor = color.bitmap;  // still selected: the icon copies through the context
    info.hbmMask = mask.bitmap;
    return CreateIconIndirect(info);
}

struct DrawCase {
    const char* name;
    unsigned flags;
    int width;  // 0: the icon's own
    std::vector<COLORREF> row;
};

class DrawIcon : public testing::TestWithParam<DrawCase> {};

TEST_P(DrawIcon, CombinesMaskAndColourWithTheTarget) {
    const DrawCase& c = GetParam();
    const HICON icon = ThreePixelIcon();
    ASSERT_TRUE(icon);
    const Canvas target = Canvas::Device(8, 1);
    target.Fill(kGreen, 8, 1);
    SetTextColor(target.dc, kRed);
    ASSERT_TRUE(DrawIconEx(target.dc, 1, 0, icon, c.width, c.width ? 1 : 0, 0, nullptr, c.flags));
    std::vector<COLORREF> expected{kGreen};
    expected.insert(expected.end(), c.row.begin(), c.row.end());
    expected.resize(8, kGreen);
    EXPECT_EQ(target.GetRow(0, 8), expected);
    EXPECT_EQ(GetTextColor(target.dc), kRed);  // the target's colours are left as they were
}

INSTANTIATE_TEST_SUITE_P(
    Table, DrawIcon,
    testing::Values(DrawCase{"normal", DI_NORMAL, 0, {kRed, kGreen, kMagenta}},
                    DrawCase{"image_only", DI_IMAGE, 0, {kRed, kBlack, kWhite}},
                    DrawCase{"mask_only", DI_MASK, 0, {kBlack, kWhite, kWhite}},
                    DrawCase{"stretched", DI_NORMAL, 6, {kRed, kRed, kGreen, kGreen, kMagenta, kMagenta}}),
    CaseName());

// An icon from device bits, rows padded to two bytes: the AND mask's 1 lets the target show.
TEST(CreateIcon, MaskAndColourBitsDrawAsTheIcon) {
    const std::uint8_t mask[] = {0x40, 0x00};
    const std::uint8_t color[] = {0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00};  // red, black
    const HICON icon = CreateIcon(2, 1, 1, 32, mask, color);
    ASSERT_TRUE(icon);
    const Canvas target = Canvas::Device(4, 1);
    target.Fill(kGreen, 4, 1);
    ASSERT_TRUE(DrawIconEx(target.dc, 1, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(target.GetRow(0, 4), (std::vector<COLORREF>{kGreen, kRed, kGreen, kGreen}));
    EXPECT_FALSE(CreateIcon(2, 1, 1, 32, nullptr, color));
}

}  // namespace
