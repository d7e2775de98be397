// Fills of one colour take a shortcut (the first row encoded, the others copied bytewise); a
// 2 x 2 pattern brush of the same colour takes the general per-pixel path. Both must leave
// identical bytes, padding and the neighbours of sub-byte pixels included, on every format.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <random>

#include "RasterFixture.h"
#include "platform/Surface.h"

using namespace rastertest;

namespace {

struct FormatCase {
    const char* name;
    int bits;
    std::uint32_t compression;
    std::array<std::uint32_t, 3> masks;
    bool device;  // a device-dependent surface instead of a DIB section
    bool topDown;
    std::vector<RGBQUAD> table;
};

std::vector<RGBQUAD> GreyTable(int entries) {
    std::vector<RGBQUAD> t;
    for (int i = 0; i < entries; ++i) {
        // Some entries repeat, so that nearest-colour lookups have ties.
        const auto v = std::uint8_t(i * 255 / (entries - 1) / 2 * 2);
        t.push_back(RGBQUAD{v, v, std::uint8_t(255 - v), 0});
    }
    return t;
}

const FormatCase kFormats[] = {
    {"dib1", 1, BI_RGB, {}, false, false, {{0, 0, 0, 0}, {255, 255, 255, 0}}},
    {"dib1 coloured", 1, BI_RGB, {}, false, true, {{0, 0, 255, 0}, {0, 255, 0, 0}}},
    {"dib4", 4, BI_RGB, {}, false, false, {}},
    {"dib4 top down", 4, BI_RGB, {}, false, true, GreyTable(16)},
    {"dib8", 8, BI_RGB, {}, false, false, GreyTable(256)},
    {"dib8 short table", 8, BI_RGB, {}, false, true, GreyTable(7)},
    {"dib16 555", 16, BI_RGB, {}, false, false, {}},
    {"dib16 565", 16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, false, true, {}},
    {"dib24", 24, BI_RGB, {}, false, false, {}},
    {"dib24 top down", 24, BI_RGB, {}, false, true, {}},
    {"dib32", 32, BI_RGB, {}, false, false, {}},
    {"dib32 wide fields", 32, BI_BITFIELDS, {0x3FF00000, 0x000FFC00, 0x000003FF}, false, false, {}},
    {"dib32 swapped", 32, BI_BITFIELDS, {0x000000FF, 0x0000FF00, 0x00FF0000}, false, true, {}},
    {"device", 0, BI_RGB, {}, true, true, {}},
    {"device mono", 1, BI_RGB, {}, true, true, {}},
};

void PrintTo(const FormatCase& f, std::ostream* out) { *out << f.name; }

HBITMAP MakeSurface(const FormatCase& f, int width, int height) {
    if (f.device)
        return f.bits == 1 ? CreateBitmap(width, height, 1, 1, nullptr)
                           : CreateCompatibleBitmap(nullptr, width, height);
    BITMAPINFO info = Info(width, f.topDown ? -height : height, f.bits, f.compression);
    info.bmiMasks = f.masks;
    info.bmiColors = f.table;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits);
}

// Two surfaces of one format holding the same random bytes.
struct Pair {
    Canvas fast, general;
    Pair(const FormatCase& f, int width, int height, unsigned seed)
        : fast(MakeSurface(f, width, height)), general(MakeSurface(f, width, height)) {
        std::mt19937 random(seed);
        for (std::size_t i = 0; i < fast.bitmap->ByteSize(); ++i) fast.bitmap->Bits()[i] = std::uint8_t(random());
        std::memcpy(general.bitmap->Bits(), fast.bitmap->Bits(), fast.bitmap->ByteSize());
    }
    bool Same() const { return std::memcmp(fast.bitmap->Bits(), general.bitmap->Bits(), fast.bitmap->ByteSize()) == 0; }
};

// A brush that paints one colour through the general path: a 2 x 2 pattern.
HBRUSH GeneralBrush(COLORREF color) {
    void* bits = nullptr;
    HBITMAP tile = CreateDIBSection(nullptr, Info(2, 2, 24), DIB_RGB_COLORS, &bits);
    Canvas c(tile);
    c.Fill(color, 2, 2);
    return CreatePatternBrush(tile);
}

struct Area {
    int x, y, cx, cy;
};

const Area kAreas[] = {
    {0, 0, 37, 23},    // everything
    {3, 2, 13, 9},     // odd edges: partial bytes at both ends for 1 and 4 bits
    {1, 0, 1, 23},     // one column
    {5, 4, 3, 1},      // inside one byte for 1 bit
    {8, 1, 16, 5},     // whole bytes only for 1 and 4 bits
    {-4, -3, 20, 10},  // clipped at the top left
    {30, 20, 40, 40},  // clipped at the bottom right
    {36, 0, 1, 23},    // the last column
    {9, 3, -6, -2},    // negative extents
};

const COLORREF kColors[] = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(200, 30, 90), RGB(0, 0, 255), RGB(128, 128, 127)};

class FastFillTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FastFillTest, WhitenessAndBlacknessMatchThePatternPath) {
    for (const Area& a : kAreas) {
        for (const auto& [rop, color] :
             {std::pair{WHITENESS, RGB(255, 255, 255)}, std::pair{BLACKNESS, RGB(0, 0, 0)}}) {
            Pair p(GetParam(), 37, 23, unsigned(a.x * 31 + a.y));
            ASSERT_TRUE(PatBlt(p.fast.dc, a.x, a.y, a.cx, a.cy, rop));
            SelectObject(p.general.dc, GeneralBrush(color));
            ASSERT_TRUE(PatBlt(p.general.dc, a.x, a.y, a.cx, a.cy, PATCOPY));
            EXPECT_TRUE(p.Same()) << a.x << "," << a.y << " " << a.cx << "x" << a.cy << " rop " << std::hex << rop;
        }
    }
}

TEST_P(FastFillTest, SolidBrushesMatchThePatternPath) {
    constexpr std::uint32_t kNotPatCopy = 0x000F0001;
    for (const Area& a : kAreas) {
        for (COLORREF color : kColors) {
            for (std::uint32_t rop : {PATCOPY, kNotPatCopy}) {
                Pair p(GetParam(), 37, 23, color ^ unsigned(a.cx));
                SelectObject(p.fast.dc, CreateBrushIndirect(LOGBRUSH{BS_SOLID, color, 0}));
                ASSERT_TRUE(PatBlt(p.fast.dc, a.x, a.y, a.cx, a.cy, rop));
                SelectObject(p.general.dc, GeneralBrush(color));
                ASSERT_TRUE(PatBlt(p.general.dc, a.x, a.y, a.cx, a.cy, rop));
                EXPECT_TRUE(p.Same()) << a.x << "," << a.y << " " << a.cx << "x" << a.cy << " colour " << std::hex
                                      << color << " rop " << rop;
            }
        }
    }
}

TEST_P(FastFillTest, FillRectMatchesThePatternPath) {
    for (const Area& a : kAreas) {
        for (COLORREF color : kColors) {
            Pair p(GetParam(), 37, 23, color + unsigned(a.y));
            const RECT r{a.x, a.y, a.x + a.cx, a.y + a.cy};
            FillRect(p.fast.dc, r, CreateBrushIndirect(LOGBRUSH{BS_SOLID, color, 0}));
            FillRect(p.general.dc, r, GeneralBrush(color));
            EXPECT_TRUE(p.Same()) << a.x << "," << a.y << " " << a.cx << "x" << a.cy << " colour " << std::hex << color;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, FastFillTest, ::testing::ValuesIn(kFormats), CaseName());

// A one-pixel pattern bitmap is a solid brush too.
TEST(FastFill, OnePixelPatternBitmapMatchesTheGeneralPath) {
    void* bits = nullptr;
    HBITMAP dot = CreateDIBSection(nullptr, Info(1, 1, 24), DIB_RGB_COLORS, &bits);
    Canvas c(dot);
    c.Fill(RGB(10, 200, 40), 1, 1);
    Pair p(kFormats[10], 37, 23, 5);
    FillRect(p.fast.dc, RECT{2, 3, 30, 20}, CreatePatternBrush(dot));
    FillRect(p.general.dc, RECT{2, 3, 30, 20}, GeneralBrush(RGB(10, 200, 40)));
    EXPECT_TRUE(p.Same());
}

// A null brush paints nothing, even on the shortcut's terms.
TEST(FastFill, NullBrushLeavesEverything) {
    Pair p(kFormats[8], 37, 23, 9);
    FillRect(p.fast.dc, RECT{0, 0, 37, 23}, CreateBrushIndirect(LOGBRUSH{BS_NULL, 0, 0}));
    EXPECT_TRUE(p.Same());
}

// Large sections are mapped on their own; they still read as zero and fill like small ones.
TEST(LargeSurface, FreshSectionReadsZeroAndFills) {
    const int width = 2100, height = 1500;  // 12.6 MB in 32 bits
    void* bits = nullptr;
    HBITMAP s = CreateDIBSection(nullptr, Info(width, height, 32), DIB_RGB_COLORS, &bits);
    ASSERT_TRUE(s);
    ASSERT_NE(bits, nullptr);
    const auto* bytes = static_cast<const std::uint8_t*>(bits);
    for (std::size_t i = 0; i < s->ByteSize(); i += 4093) ASSERT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(bytes[s->ByteSize() - 1], 0);
    Canvas c(s);
    ASSERT_TRUE(PatBlt(c.dc, 0, 0, width, height, WHITENESS));
    EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(c.dc, width - 1, height - 1), RGB(255, 255, 255));
    EXPECT_EQ(bytes[3], 0);  // the unused byte of 32-bit pixels stays clear
}

// Copying out a surface into the same layout copies the pixel bytes of each row and leaves the
// caller's padding alone, as the per-row conversion does.
class SameLayoutCopyTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(SameLayoutCopyTest, GetDIBitsCopiesRowsAndKeepsPadding) {
    const FormatCase& f = GetParam();
    const int width = 37, height = 23;
    Pair p(f, width, height, 77);
    BITMAPINFO info = Info(width, f.topDown ? -height : height, f.bits, f.compression);
    info.bmiMasks = f.masks;
    const std::size_t stride = std::size_t((width * f.bits + 31) / 32 * 4);
    std::vector<std::uint8_t> out(stride * height, 0xAB);
    ASSERT_EQ(GetDIBits(nullptr, p.fast.bitmap, 0, unsigned(height), out.data(), info, DIB_RGB_COLORS), height);
    const std::size_t pixelBytes = std::size_t(width * f.bits / 8);
    for (int line = 0; line < height; ++line) {
        const std::uint8_t* source = p.fast.bitmap->Bits() + std::size_t(line) * p.fast.bitmap->Stride();
        const std::uint8_t* target = out.data() + std::size_t(line) * stride;
        EXPECT_EQ(std::memcmp(source, target, pixelBytes), 0) << line;
        for (std::size_t i = pixelBytes; i < stride; ++i) EXPECT_EQ(target[i], 0xAB) << line;
    }
}

// The sections of whole-byte pixels: kFormats from "dib8" to the last section.
INSTANTIATE_TEST_SUITE_P(Formats, SameLayoutCopyTest, ::testing::ValuesIn(kFormats + 4, kFormats + 13), CaseName());

}  // namespace
