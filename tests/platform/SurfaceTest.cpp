// Making surfaces, describing them, and the limits that refuse them.
#include <gtest/gtest.h>

#include <cstring>

#include "RasterFixture.h"

using namespace rastertest;

namespace {

TEST(MemoryContext, StartsWithOneByOneMonochromeBitmap) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAP bm;
    ASSERT_EQ(GetObject(GetCurrentBitmap(dc), sizeof bm, &bm), int(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 1);
}

TEST(CompatibleBitmap, IsZeroedDisplayFormat) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(dc, 3, 2);
    ASSERT_TRUE(bmp);
    BITMAP bm;
    GetObject(bmp, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmWidthBytes, 12);
    EXPECT_EQ(bm.bmBits, nullptr);
    ASSERT_TRUE(SelectObject(dc, bmp));
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
}

TEST(DibSection, ReportsHeaderAndMasks) {
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, Info(3, 2, 24), DIB_RGB_COLORS, &bits);
    ASSERT_TRUE(bmp);
    DIBSECTION ds;
    ASSERT_EQ(GetObject(bmp, sizeof ds, &ds), int(sizeof(DIBSECTION)));
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 12);  // 9 bytes padded to 4
    EXPECT_EQ(ds.dsBmih.biSizeImage, 24u);
    EXPECT_EQ(ds.dsBmih.biHeight, 2);
}

TEST(DeviceBitmap, AnswersOnlyTheBitmapPartEvenWithRoomForMore) {
    HBITMAP bmp = CreateCompatibleBitmap(nullptr, 3, 1);
    DIBSECTION ds{};
    ds.dsBmih.biSize = 77;  // untouched
    EXPECT_EQ(GetObject(bmp, sizeof ds, &ds), int(sizeof(BITMAP)));
    EXPECT_EQ(ds.dsBm.bmWidth, 3);
    EXPECT_EQ(ds.dsBmih.biSize, 77u);
    EXPECT_EQ(GetObject(bmp, 4, &ds), 0);  // too small for a BITMAP
}

TEST(CreateBitmap, TakesWordAlignedRows) {
    // Two rows of 9 monochrome pixels: 2 bytes each, already word aligned.
    const std::uint8_t bits[] = {0x80, 0x80, 0x00, 0x00};
    Canvas c(CreateBitmap(9, 2, 1, 1, bits));
    EXPECT_EQ(c.GetRow(0, 9), (std::vector<COLORREF>{0xFFFFFF, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF}));
    EXPECT_EQ(c.GetRow(1, 9), std::vector<COLORREF>(9, 0));
}

}  // namespace
