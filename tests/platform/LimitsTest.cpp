// Surfaces that cannot be made are refused with a reason, never half made.
#include <gtest/gtest.h>

#include <climits>

#include "RasterFixture.h"

using namespace rastertest;

namespace {

struct RefusedCase {
    const char* name;
    int width, height, bits;
    std::uint32_t compression;
    std::uint32_t error;
};

const RefusedCase kRefused[] = {
    {"zero width", 0, 10, 24, BI_RGB, ERROR_INVALID_PARAMETER},
    {"zero height", 10, 0, 24, BI_RGB, ERROR_INVALID_PARAMETER},
    {"negative width", -5, 10, 24, BI_RGB, ERROR_INVALID_PARAMETER},
    {"bit count 7", 10, 10, 7, BI_RGB, ERROR_INVALID_PARAMETER},
    {"bitfields at 24 bits", 10, 10, 24, BI_BITFIELDS, ERROR_INVALID_PARAMETER},
    {"run-length section", 10, 10, 8, BI_RLE8, ERROR_INVALID_PARAMETER},
    // 2^30 bytes is the limit: 16385 x 16384 x 4 bytes lies just over it.
    {"just over the limit", 16385, 16384, 32, BI_RGB, ERROR_NOT_ENOUGH_MEMORY},
    {"huge", INT_MAX, INT_MAX, 32, BI_RGB, ERROR_NOT_ENOUGH_MEMORY},
    {"most negative height", 10, INT_MIN, 24, BI_RGB, ERROR_NOT_ENOUGH_MEMORY},
};

class RefusedSection : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedSection, ReturnsNullAndSetsTheReason) {
    const RefusedCase& t = GetParam();
    SetLastError(0);
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_FALSE(CreateDIBSection(nullptr, Info(t.width, t.height, t.bits, t.compression), DIB_RGB_COLORS, &bits))
        << t.name;
    EXPECT_EQ(bits, nullptr) << t.name;
    EXPECT_NE(GetLastError(), 0u) << t.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedSection, ::testing::ValuesIn(kRefused), CaseName());

TEST(Limits, DeviceBitmapsAreRefusedToo) {
    SetLastError(0);
    EXPECT_FALSE(CreateCompatibleBitmap(nullptr, 0, 5));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    SetLastError(0);
    EXPECT_FALSE(CreateCompatibleBitmap(nullptr, 70000, 70000));
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_FALSE(CreateBitmap(8, 8, 1, 3, nullptr));
    BITMAPINFO info = Info(60000, 60000, 24);
    EXPECT_FALSE(CreateDIBitmap(nullptr, &info.bmiHeader, 0, nullptr, 0, info, DIB_RGB_COLORS));
}

TEST(Limits, ALargePhotographStillFits) {
    // 250 megapixels at 24 bits is 750 MB: under the limit. Pages are only touched when drawn on.
    BITMAPINFO info = Info(20000, 12500, 24);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits);
    ASSERT_TRUE(section);
    EXPECT_NE(bits, nullptr);
}

TEST(Limits, GetDIBitsRefusesAnImpossibleLayout) {
    Canvas c = Canvas::Device(2, 2);
    BITMAPINFO info = Info(INT_MAX, INT_MAX, 32);
    EXPECT_EQ(GetDIBits(c.dc, c.bitmap, 0, 2, nullptr, info, DIB_RGB_COLORS), 0);
}

TEST(Clipping, PixelsOutsideTheSurfaceAreInvalid) {
    Canvas c = Canvas::Device(2, 2);
    EXPECT_EQ(GetPixel(c.dc, -1, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(c.dc, 2, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(c.dc, 0, 2, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(GetDC(nullptr), 0, 0), CLR_INVALID);
}

TEST(Clipping, ExtremeCoordinatesDrawOnlyTheOverlap) {
    Canvas source = Canvas::Device(2, 2), target = Canvas::Device(2, 2);
    source.Fill(RGB(5, 5, 5), 2, 2);
    EXPECT_TRUE(BitBlt(target.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, source.dc, 0, 0, SRCCOPY));
    EXPECT_TRUE(StretchBlt(target.dc, INT_MAX, 0, INT_MIN, 2, source.dc, INT_MIN, 0, INT_MAX, 2, SRCCOPY));
    EXPECT_TRUE(StretchBlt(target.dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX, source.dc, INT_MAX, INT_MAX, INT_MIN, INT_MIN,
                           SRCCOPY));
    EXPECT_EQ(FillRect(target.dc, RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, CreateBrushIndirect(LOGBRUSH{})), 1);
    EXPECT_EQ(GetPixel(target.dc, 1, 1), 0u);
    EXPECT_TRUE(PatBlt(target.dc, -5, -5, 6, 6, WHITENESS));
    EXPECT_EQ(GetPixel(target.dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(target.dc, 1, 1), 0u);
}

}  // namespace
