// Four-component files: CMYK and YCCK come out as colour pictures.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "JpegTestSupport.h"
#include "jpeg/CmykRows.h"

using namespace jpegtest;

namespace {

struct CmykPixel {
    std::uint8_t c, m, y, k;
};

// A file of four components compressed by the library itself, which marks it with the Adobe
// marker; the samples are stored inverted, as Adobe applications store them.
Bytes CompressCmyk(int width, int height, const CmykPixel& left, const CmykPixel& right, J_COLOR_SPACE space) {
    return CompressRaw({width, height, 4, JCS_CMYK,
                        [space](jpeg_compress_struct& c) {
                            jpeg_set_quality(&c, 100, TRUE);
                            jpeg_set_colorspace(&c, space);
                        },
                        [&](int, JSAMPLE* row) {
                            for (int x = 0; x < width; ++x) {
                                const CmykPixel& p = x < width / 2 ? left : right;
                                const JSAMPLE inverted[4] = {JSAMPLE(255 - p.c), JSAMPLE(255 - p.m), JSAMPLE(255 - p.y),
                                                             JSAMPLE(255 - p.k)};
                                std::copy(inverted, inverted + 4, row + 4 * x);
                            }
                        }});
}

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

class CmykFile : public ::testing::TestWithParam<J_COLOR_SPACE> {};

TEST_P(CmykFile, DecodesToTheColoursOfTheInk) {
    // Magenta and yellow make red; cyan and magenta make blue.
    const Bytes file = CompressCmyk(32, 16, {0, 255, 255, 0}, {255, 255, 0, 0}, GetParam());
    auto image = Load(file);
    TBitmap* decoded = image->Decode();
    EXPECT_EQ(decoded->CurrentDepth(), TPixelDepth::Bits24);
    EXPECT_TRUE(Near(PixelOf(*decoded, 4, 8), Rgb{255, 0, 0}, 6));
    EXPECT_TRUE(Near(PixelOf(*decoded, 28, 8), Rgb{0, 0, 255}, 6));
}

TEST_P(CmykFile, BlackInkDarkens) {
    const Bytes file = CompressCmyk(16, 16, {0, 0, 0, 128}, {0, 0, 0, 128}, GetParam());
    const Rgb pixel = PixelOf(*Load(file)->Decode(), 8, 8);
    // 255 - 128 of full white is left.
    EXPECT_TRUE(Near(pixel, Rgb{127, 127, 127}, 4));
}

TEST_P(CmykFile, GrayOutputGivesGrayPixels) {
    const Bytes file = CompressCmyk(16, 16, {0, 255, 255, 0}, {0, 255, 255, 0}, GetParam());
    auto image = Load(file);
    image->SetGrayOutput(true);
    const Rgb pixel = PixelOf(*image->Decode(), 8, 8);
    EXPECT_EQ(pixel.r, pixel.g);
    EXPECT_EQ(pixel.g, pixel.b);
    EXPECT_NEAR(pixel.r, 76, 4);  // the luminance of pure red: 0.299 x 255
}

INSTANTIATE_TEST_SUITE_P(Spaces, CmykFile, ::testing::Values(JCS_CMYK, JCS_YCCK),
                         [](const auto& test) { return test.param == JCS_CMYK ? "Cmyk" : "Ycck"; });

struct RowCase {
    const char* name;
    CmykPixel in;
    bool inverted;
    bool gray;
    std::array<std::uint8_t, 3> bgr;
};

class CmykRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(CmykRow, ConvertsOnePixel) {
    const RowCase& c = GetParam();
    const std::uint8_t cmyk[4] = {c.in.c, c.in.m, c.in.y, c.in.k};
    std::uint8_t bgr[3] = {1, 2, 3};
    jpeg::CmykRowToBgr(cmyk, bgr, 1, c.inverted, c.gray);
    EXPECT_EQ(bgr[0], c.bgr[0]);
    EXPECT_EQ(bgr[1], c.bgr[1]);
    EXPECT_EQ(bgr[2], c.bgr[2]);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, CmykRow,
    ::testing::Values(RowCase{"NoInk", {0, 0, 0, 0}, false, false, {255, 255, 255}},
                      RowCase{"FullBlack", {0, 0, 0, 255}, false, false, {0, 0, 0}},
                      RowCase{"Cyan", {255, 0, 0, 0}, false, false, {255, 255, 0}},
                      RowCase{"HalfBlackOnYellow", {0, 0, 255, 128}, false, false, {0, 127, 127}},  // 255 x 127 / 255
                      RowCase{"InvertedNoInk", {255, 255, 255, 255}, true, false, {255, 255, 255}},
                      RowCase{"InvertedMagenta", {255, 0, 255, 255}, true, false, {255, 0, 255}},
                      RowCase{"GrayOfWhite", {0, 0, 0, 0}, false, true, {255, 255, 255}},
                      // blue 255 alone: (255 x 114 + 500) / 1000 = 29
                      RowCase{"GrayOfBlue", {255, 255, 0, 0}, false, true, {29, 29, 29}}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
