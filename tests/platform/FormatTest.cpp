// Pixel formats: colours written in one format come back through GetPixel and GetDIBits, in the
// byte layout each format prescribes, for both row orders.
#include <gtest/gtest.h>

#include <cstring>

#include "RasterFixture.h"

using namespace rastertest;

namespace {

struct FormatCase {
    const char* name;
    int bits;
    std::uint32_t compression;
    std::array<std::uint32_t, 3> masks;
    COLORREF color;                   // exactly representable in the format
    std::vector<std::uint8_t> bytes;  // how pixel 0 of a row stores it
};

// Palette formats get a table of black, `color` at index 1, and white last when there is room.
BITMAPINFO FormatInfo(const FormatCase& f, int width, int height, COLORREF color) {
    BITMAPINFO info = Info(width, height, f.bits, f.compression);
    info.bmiMasks = f.masks;
    if (f.bits <= 8) {
        info.bmiColors.assign(std::size_t(1) << f.bits, RGBQUAD{});
        if (f.bits > 1) info.bmiColors.back() = RGBQUAD{255, 255, 255, 0};
        info.bmiColors[1] = RGBQUAD{GetBValue(color), GetGValue(color), GetRValue(color), 0};
    }
    return info;
}

const FormatCase kFormats[] = {
    {"mono", 1, BI_RGB, {}, RGB(0, 128, 255), {0x80}},   // index 1 in the top bit
    {"four", 4, BI_RGB, {}, RGB(0, 128, 255), {0x10}},   // index 1 in the high nibble
    {"eight", 8, BI_RGB, {}, RGB(0, 128, 255), {0x01}},  // index 1
    // 5-5-5: red 31 (0x7C00), green 8 (0x0100), blue 0: 66 in 5 bits is 8 -> 8 * 255 / 31 = 66.
    {"x555", 16, BI_RGB, {}, RGB(255, 66, 0), {0x00, 0x7D}},
    // 5-6-5: red 0, green 63 (0x07E0), blue 31 (0x001F).
    {"r565", 16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, RGB(0, 255, 255), {0xFF, 0x07}},
    {"bgr24", 24, BI_RGB, {}, RGB(1, 2, 3), {3, 2, 1}},
    {"bgrx32", 32, BI_RGB, {}, RGB(1, 2, 3), {3, 2, 1, 0}},
    // Red in the lowest byte, blue in the third.
    {"rgbx32", 32, BI_BITFIELDS, {0x0000FF, 0x00FF00, 0xFF0000}, RGB(1, 2, 3), {1, 2, 3, 0}},
    // 10 bits per channel: red 0x3FF << 20, green 0, blue 0x3FF.
    {"ten bits", 32, BI_BITFIELDS, {0x3FF00000, 0x000FFC00, 0x000003FF}, RGB(255, 0, 255), {0xFF, 0x03, 0xF0, 0x3F}},
};

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, SetPixelStoresTheFormatsBytes) {
    for (int height : {2, -2}) {
        const FormatCase& f = GetParam();
        Canvas c = Canvas::Dib(FormatInfo(f, 1, height, f.color));
        ASSERT_TRUE(c.bitmap) << f.name;
        EXPECT_EQ(SetPixel(c.dc, 0, 0, f.color), f.color) << f.name;
        // The top row is stored first for top-down sections, last (at offset stride) for bottom-up.
        const std::size_t stride = 4;
        const std::uint8_t* top = c.Bytes() + (height < 0 ? 0 : stride);
        EXPECT_EQ(std::vector<std::uint8_t>(top, top + f.bytes.size()), f.bytes) << f.name << " " << height;
        EXPECT_EQ(GetPixel(c.dc, 0, 0), f.color) << f.name;
        EXPECT_EQ(GetPixel(c.dc, 0, 1), 0u) << f.name;
    }
}

TEST_P(FormatTest, GetDIBitsRoundTripsThroughEveryOtherFormat) {
    // Magenta, black and white are exact in every format but monochrome, where magenta is nearer
    // white (255^2 away) than black (2 x 255^2 away); every stock table holds all three.
    const COLORREF magenta = RGB(255, 0, 255), white = RGB(255, 255, 255);
    const FormatCase& from = GetParam();
    Canvas source = Canvas::Dib(FormatInfo(from, 3, 2, from.bits == 1 ? white : magenta));
    source.SetRow(0, {magenta, 0, white});
    for (const FormatCase& to : kFormats) {
        for (int height : {2, -2}) {
            const std::string label = std::string(from.name) + " -> " + to.name + " " + std::to_string(height);
            BITMAPINFO info = FormatInfo(to, 3, height, 0);
            std::vector<std::uint8_t> bits(64, 0xEE);
            ASSERT_EQ(GetDIBits(source.dc, source.bitmap, 0, 2, bits.data(), info, DIB_RGB_COLORS), 2) << label;
            // Read the result back through a section of that layout holding those bytes.
            void* raw = nullptr;
            Canvas back(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &raw));
            std::memcpy(raw, bits.data(), info.bmiHeader.biSizeImage);
            EXPECT_EQ(back.GetRow(0, 3),
                      (std::vector<COLORREF>{from.bits == 1 || to.bits == 1 ? white : magenta, 0, white}))
                << label;
            EXPECT_EQ(back.GetRow(1, 3), (std::vector<COLORREF>{0, 0, 0})) << label;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatTest, ::testing::ValuesIn(kFormats), CaseName());

TEST(GetDIBits, PaletteFormatsGetTheirStandardTables) {
    Canvas source = Canvas::Device(2, 1);
    source.SetRow(0, {RGB(128, 0, 0), RGB(255, 255, 0)});
    BITMAPINFO info = Info(2, 1, 4);
    std::vector<std::uint8_t> bits(4);
    ASSERT_EQ(GetDIBits(source.dc, source.bitmap, 0, 1, bits.data(), info, DIB_RGB_COLORS), 1);
    ASSERT_EQ(info.bmiColors.size(), 16u);
    EXPECT_EQ(info.bmiColors[1], (RGBQUAD{0, 0, 128, 0}));  // dark red
    EXPECT_EQ(bits[0], 0x1B);                               // dark red 1, yellow 11

    BITMAPINFO mono = Info(2, 1, 1);
    ASSERT_EQ(GetDIBits(source.dc, source.bitmap, 0, 1, bits.data(), mono, DIB_RGB_COLORS), 1);
    EXPECT_EQ(mono.bmiColors, (std::vector<RGBQUAD>{{0, 0, 0, 0}, {255, 255, 255, 0}}));
    EXPECT_EQ(bits[0] & 0xC0, 0x40);  // dark red nearer black, yellow nearer white

    BITMAPINFO eight = Info(2, 1, 8);
    ASSERT_EQ(GetDIBits(source.dc, source.bitmap, 0, 1, bits.data(), eight, DIB_RGB_COLORS), 1);
    ASSERT_EQ(eight.bmiColors.size(), 256u);
    EXPECT_EQ(eight.bmiColors[bits[0]], (RGBQUAD{0, 0, 128, 0}));
    EXPECT_EQ(eight.bmiColors[bits[1]], (RGBQUAD{0, 255, 255, 0}));
}

TEST(GetDIBits, InfoOnlyQueryDescribesTheSurface) {
    HBITMAP surface = CreateCompatibleBitmap(nullptr, 5, 3);
    BITMAPINFO info;  // header size 0, bit count 0
    EXPECT_NE(GetDIBits(nullptr, surface, 0, 3, nullptr, info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.bmiHeader.biSize, 40u);
    EXPECT_EQ(info.bmiHeader.biWidth, 5);
    EXPECT_EQ(info.bmiHeader.biHeight, 3);
    EXPECT_EQ(info.bmiHeader.biBitCount, 32);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 60u);

    BITMAPINFO eight = Info(5, 3, 8);
    EXPECT_NE(GetDIBits(nullptr, surface, 0, 3, nullptr, eight, DIB_RGB_COLORS), 0);
    EXPECT_EQ(eight.bmiHeader.biSizeImage, 24u);  // 8 bytes per row
    EXPECT_EQ(eight.bmiColors.size(), 256u);
}

TEST(GetDIBits, StartLineCountsFromTheBottomOfABottomUpLayout) {
    Canvas source = Canvas::Device(1, 3);
    source.SetRow(0, {RGB(1, 1, 1)});
    source.SetRow(1, {RGB(2, 2, 2)});
    source.SetRow(2, {RGB(3, 3, 3)});
    BITMAPINFO info = Info(1, 3, 32);
    std::uint32_t bits[2] = {};
    ASSERT_EQ(GetDIBits(source.dc, source.bitmap, 1, 2, bits, info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(bits[0], 0x020202u);  // scan line 1 is the middle row
    EXPECT_EQ(bits[1], 0x010101u);  // scan line 2 the top row
}

TEST(DibSection, ReportsMasksAsTheOriginalPlatformDoes) {
    const struct {
        int bits;
        std::uint32_t compression;
        std::array<std::uint32_t, 3> given, reported;
    } cases[] = {{16, BI_RGB, {}, {0x7C00, 0x03E0, 0x001F}},
                 {32, BI_RGB, {}, {0xFF0000, 0x00FF00, 0x0000FF}},
                 {16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, {0xF800, 0x07E0, 0x001F}},
                 {24, BI_RGB, {}, {0, 0, 0}}};
    for (const auto& c : cases) {
        BITMAPINFO info = Info(2, 2, c.bits, c.compression);
        info.bmiMasks = c.given;
        DIBSECTION ds;
        ASSERT_EQ(GetObject(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, nullptr), sizeof ds, &ds), int(sizeof ds));
        EXPECT_EQ(ds.dsBitfields, c.reported) << c.bits;
        EXPECT_EQ(ds.dsBmih.biCompression, c.compression);
    }
}

TEST(DibColorTable, ReadsAndWritesTheSelectedSectionsTable) {
    BITMAPINFO info = Info(2, 1, 8);
    info.bmiHeader.biClrUsed = 4;
    info.bmiColors = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}, {10, 11, 12, 0}};
    Canvas c = Canvas::Dib(info);
    RGBQUAD got[8];
    EXPECT_EQ(GetDIBColorTable(c.dc, 1, 8, got), 3u);
    EXPECT_EQ(got[0], (RGBQUAD{4, 5, 6, 0}));
    const RGBQUAD red{0, 0, 255, 0};
    EXPECT_EQ(SetDIBColorTable(c.dc, 3, 5, &red), 1u);
    c.Bytes()[0] = 3;
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(255, 0, 0));
    Canvas device = Canvas::Device(1, 1);
    EXPECT_EQ(GetDIBColorTable(device.dc, 0, 1, got), 0u);
}

}  // namespace
