// Decoding into the held bitmap: depths, palettes, scales, odd shapes, reuse of the bitmap.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "JpegTestSupport.h"
#include "graphics/Canvas.h"
#include "platform/Gdi.h"

using namespace jpegtest;

namespace {

Rgb Red(int, int) { return Rgb{255, 0, 0}; }

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

TEST(JpegDecode, RedStaysRed) {
    auto bitmap = MakeBitmap(16, 16, Red);
    auto image = Load(Encode(*bitmap));
    TBitmap* decoded = image->Decode();
    EXPECT_EQ(decoded->CurrentDepth(), TPixelDepth::Bits24);
    EXPECT_EQ(decoded->ImageWidth(), 16);
    EXPECT_EQ(decoded->ImageHeight(), 16);
    // Pure red survives YCbCr within a few levels of rounding.
    for (int y = 0; y < 16; y += 5) {
        for (int x = 0; x < 16; x += 5) EXPECT_TRUE(Near(PixelOf(*decoded, x, y), Rgb{255, 0, 0}, 4));
    }
}

TEST(JpegDecode, ColoursOfEachQuadrantSurvive) {
    const Rgb colours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    auto bitmap = MakeBitmap(32, 32, [&](int x, int y) { return colours[(y / 16) * 2 + x / 16]; });
    auto image = Load(Encode(*bitmap, {.quality = 100}));
    TBitmap* decoded = image->Decode();
    // Chroma is sampled 2 x 2, so look well inside each 16 x 16 quadrant.
    EXPECT_TRUE(Near(PixelOf(*decoded, 6, 6), colours[0], 12));
    EXPECT_TRUE(Near(PixelOf(*decoded, 24, 6), colours[1], 12));
    EXPECT_TRUE(Near(PixelOf(*decoded, 6, 24), colours[2], 12));
    EXPECT_TRUE(Near(PixelOf(*decoded, 24, 24), colours[3], 12));
}

// Every entry gray, at most 236 of them, rising.
void ExpectGrayRamp(TBitmap& bitmap) {
    const std::vector<Rgb> palette = PaletteOf(bitmap);
    ASSERT_FALSE(palette.empty());
    EXPECT_LE(palette.size(), 236u);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        EXPECT_EQ(palette[i].r, palette[i].g);
        EXPECT_EQ(palette[i].g, palette[i].b);
        if (i > 0) {
            EXPECT_GT(palette[i].r, palette[i - 1].r);
        }
    }
}

struct GrayCase {
    const char* name;
    bool grayFile;
    bool grayOutput;
    TJpegDepth depth;
};

class GrayDecode : public ::testing::TestWithParam<GrayCase> {};

TEST_P(GrayDecode, GivesAnEightBitGrayRamp) {
    const GrayCase& c = GetParam();
    auto image = Load(EncodePattern(40, 30, {.gray = c.grayFile}));
    EXPECT_EQ(image->DataObject().IsGray, c.grayFile);
    image->SetGrayOutput(c.grayOutput);
    image->SetDecodeDepth(c.depth);
    TBitmap* decoded = image->Decode();
    EXPECT_EQ(decoded->CurrentDepth(), TPixelDepth::Bits8);
    ExpectGrayRamp(*decoded);
}

INSTANTIATE_TEST_SUITE_P(Cases, GrayDecode,
                         ::testing::Values(GrayCase{"GrayFile", true, false, TJpegDepth::Depth24},
                                           GrayCase{"GrayFileDepth8", true, false, TJpegDepth::Depth8},
                                           GrayCase{"GrayOutput", false, true, TJpegDepth::Depth24},
                                           GrayCase{"GrayOutputDepth8", false, true, TJpegDepth::Depth8}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(JpegDecode, GrayOfAFlatGrayPictureKeepsItsLevel) {
    auto bitmap = MakeBitmap(16, 16, [](int, int) { return Rgb{128, 128, 128}; });
    auto image = Load(Encode(*bitmap, {.gray = true}));
    EXPECT_TRUE(Near(PixelOf(*image->Decode(), 8, 8), Rgb{128, 128, 128}, 3));
}

TEST(JpegDecode, Depth8GivesAtMost236ColoursOfThePicture) {
    auto image = Load(EncodePattern(64, 64));
    image->SetDecodeDepth(TJpegDepth::Depth8);
    TBitmap* decoded = image->Decode();
    ASSERT_EQ(decoded->CurrentDepth(), TPixelDepth::Bits8);
    const auto palette = PaletteOf(*decoded);
    EXPECT_LE(palette.size(), 236u);
    EXPECT_GT(palette.size(), 16u);
    // The colours are the library's choice for this picture, so they approximate it.
    auto truth = Load(EncodePattern(64, 64));
    EXPECT_LT(MeanDifference(*decoded, *truth->Decode()), 16);
}

platform::HPALETTE FourColours() {
    const platform::PALETTEENTRY entries[4] = {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}};
    return platform::CreatePalette(entries, 4);
}

TEST(JpegDecode, HandedPaletteIsUsedByDepth8) {
    auto bitmap = MakeBitmap(16, 16, [](int x, int) { return x < 8 ? Rgb{255, 0, 0} : Rgb{0, 0, 255}; });
    auto image = Load(Encode(*bitmap, {.quality = 100}));
    image->SetDecodeDepth(TJpegDepth::Depth8);
    const platform::HPALETTE handed = FourColours();
    image->AdoptPalette(handed);
    EXPECT_EQ(image->HeldPalette(), handed);
    TBitmap* decoded = image->Decode();
    ASSERT_EQ(decoded->CurrentDepth(), TPixelDepth::Bits8);
    const std::vector<Rgb> expected = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    EXPECT_EQ(PaletteOf(*decoded), expected);
    EXPECT_NE(decoded->PaletteHandle(), handed) << "the bitmap takes a copy";
    EXPECT_EQ(decoded->ScanRow(4)[2], 1);
    EXPECT_EQ(decoded->ScanRow(4)[13], 3);
}

TEST(JpegDecode, HandedPaletteCannotTurnGrayOutputIntoWrongColours) {
    auto image = Load(EncodePattern(24, 24, {.gray = true}));
    image->SetDecodeDepth(TJpegDepth::Depth8);
    image->AdoptPalette(FourColours());
    ExpectGrayRamp(*image->Decode());
}

TEST(JpegDecode, Depth24DropsAHandedPalette) {
    auto image = Load(EncodePattern(8, 8));
    image->AdoptPalette(FourColours());
    image->Decode();
    EXPECT_EQ(image->HeldPalette(), nullptr);
    EXPECT_EQ(image->Decode()->CurrentDepth(), TPixelDepth::Bits24);
}

struct ScaleCase {
    TJpegScale scale;
    int width, height;  // 37 x 21 divided by 2^scale, rounded up
};

class ScaledDecode : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ScaledDecode, ReportsAndDecodesTheScaledSize) {
    auto image = Load(EncodePattern(37, 21));
    image->SetDecodeScale(GetParam().scale);
    EXPECT_EQ(image->ImageWidth(), GetParam().width);
    EXPECT_EQ(image->ImageHeight(), GetParam().height);
    TBitmap* decoded = image->Decode();
    EXPECT_EQ(decoded->ImageWidth(), GetParam().width);
    EXPECT_EQ(decoded->ImageHeight(), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledDecode,
                         ::testing::Values(ScaleCase{TJpegScale::ScaleFull, 37, 21},
                                           ScaleCase{TJpegScale::ScaleHalf, 19, 11},
                                           ScaleCase{TJpegScale::ScaleQuarter, 10, 6},
                                           ScaleCase{TJpegScale::ScaleEighth, 5, 3}));

TEST(JpegDecode, SinglePixelRowEncodesAndDecodes) {
    auto bitmap = MakeBitmap(9, 1, Red);
    auto image = Load(Encode(*bitmap));
    TBitmap* decoded = image->Decode();
    EXPECT_EQ(decoded->ImageWidth(), 9);
    EXPECT_EQ(decoded->ImageHeight(), 1);
    EXPECT_TRUE(Near(PixelOf(*decoded, 4, 0), Rgb{255, 0, 0}, 8));
}

TEST(JpegDecode, SinglePixelColumnEncodesAndDecodes) {
    auto bitmap = MakeBitmap(1, 5, Red);
    auto image = Load(Encode(*bitmap, {.gray = true}));
    TBitmap* decoded = image->Decode();
    EXPECT_EQ(decoded->ImageWidth(), 1);
    EXPECT_EQ(decoded->ImageHeight(), 5);
}

TEST(JpegDecode, DrawingTwiceDecodesOnce) {
    auto image = Load(EncodePattern(16, 16));
    ProgressLog log;
    log.Attach(*image);
    TBitmap target;
    target.ResizeWidth(8);
    target.ResizeHeight(8);
    target.Canvas().StretchDrawGraphic(TRect{0, 0, 8, 8}, image.get());
    TBitmap* first = image->HeldBitmap();
    target.Canvas().StretchDrawGraphic(TRect{0, 0, 8, 8}, image.get());
    EXPECT_EQ(log.starting, 1);
    EXPECT_EQ(log.ending, 1);
    EXPECT_EQ(image->HeldBitmap(), first);
}

TEST(JpegDecode, DrawingShowsThePicture) {
    auto bitmap = MakeBitmap(16, 16, Red);
    auto image = Load(Encode(*bitmap));
    TBitmap target;
    target.ResizeWidth(4);
    target.ResizeHeight(4);
    target.Canvas().StretchDrawGraphic(TRect{0, 0, 4, 4}, image.get());
    const TColor c = target.Canvas().PixelAt(2, 2);
    EXPECT_GE(c & 0xFF, 250);
    EXPECT_LE((c >> 16) & 0xFF, 5);
}

TEST(JpegDecode, CopyToBitmapGivesTheDecodedPicture) {
    auto image = Load(EncodePattern(12, 10));
    TBitmap target;
    target.CopyFrom(image.get());
    EXPECT_EQ(target.ImageWidth(), 12);
    EXPECT_EQ(target.ImageHeight(), 10);
    EXPECT_EQ(PixelOf(target, 3, 3), PixelOf(*image->Decode(), 3, 3));
}

TEST(JpegDecode, TruncatedFileDecodesAsFarAsItGoes) {
    const Bytes whole = EncodePattern(64, 64, {.quality = 95});
    auto reference = Load(whole);
    const Bytes half(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() * 2 / 3));
    auto image = Load(half);
    EXPECT_EQ(image->ImageWidth(), 64);
    TBitmap* decoded = nullptr;
    ASSERT_NO_THROW(decoded = image->Decode());
    EXPECT_EQ(decoded->ImageHeight(), 64);
    EXPECT_EQ(PixelOf(*decoded, 10, 2), PixelOf(*reference->Decode(), 10, 2));
}

TEST(JpegDecode, ProgressiveFileDecodesLikeItsSequentialTwin) {
    auto sequential = Load(EncodePattern(40, 24, {.quality = 100}));
    auto progressive = Load(EncodePattern(40, 24, {.quality = 100, .progressive = true}));
    EXPECT_TRUE(progressive->WriteProgressive);
    EXPECT_FALSE(sequential->WriteProgressive);
    // Asking the size at a scale reads the file again, and leaves the setting as the user made it.
    progressive->WriteProgressive = false;
    progressive->SetDecodeScale(TJpegScale::ScaleHalf);
    EXPECT_EQ(progressive->ImageHeight(), 12);
    EXPECT_EQ(progressive->ImageWidth(), 20);
    EXPECT_FALSE(progressive->WriteProgressive);
    progressive->SetDecodeScale(TJpegScale::ScaleFull);
    TBitmap* a = sequential->Decode();
    TBitmap* b = progressive->Decode();
    for (int y = 0; y < 24; y += 3)
        for (int x = 0; x < 40; x += 3) EXPECT_TRUE(Near(PixelOf(*a, x, y), PixelOf(*b, x, y), 3));
}

struct IncrementalCase {
    const char* name;
    TJpegDepth depth;
    TJpegSpeed speed;
};

class IncrementalDisplay : public ::testing::TestWithParam<IncrementalCase> {};

// The final pass uses the final settings, so the end result equals a plain decoding.
TEST_P(IncrementalDisplay, EndsWithThePlainDecoding) {
    const Bytes file = EncodePattern(48, 32, {.progressive = true});
    auto plain = Load(file);
    auto incremental = Load(file);
    for (TJPEGImage* image : {plain.get(), incremental.get()}) {
        image->SetDecodeDepth(GetParam().depth);
        image->SetDecodeSpeed(GetParam().speed);
    }
    incremental->SetIncrementalDisplay(true);
    TBitmap* a = plain->Decode();
    TBitmap* b = incremental->Decode();
    ASSERT_EQ(a->CurrentDepth(), b->CurrentDepth());
    if (GetParam().depth == TJpegDepth::Depth24 || GetParam().speed == TJpegSpeed::FavourQuality) {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 48; ++x) ASSERT_EQ(PixelOf(*a, x, y), PixelOf(*b, x, y)) << x << "," << y;
    }
    EXPECT_LE(PaletteOf(*b).size(), 256u);
}

INSTANTIATE_TEST_SUITE_P(Cases, IncrementalDisplay,
                         ::testing::Values(IncrementalCase{"Depth24", TJpegDepth::Depth24, TJpegSpeed::FavourQuality},
                                           IncrementalCase{"Depth24Fast", TJpegDepth::Depth24, TJpegSpeed::FavourSpeed},
                                           IncrementalCase{"Depth8", TJpegDepth::Depth8, TJpegSpeed::FavourQuality},
                                           IncrementalCase{"Depth8Fast", TJpegDepth::Depth8, TJpegSpeed::FavourSpeed}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(JpegDecode, IncrementalDisplayWithOnePassPaletteKeepsColoursRight) {
    auto image = Load(EncodePattern(48, 32, {.progressive = true}));
    image->SetDecodeDepth(TJpegDepth::Depth8);
    image->SetDecodeSpeed(TJpegSpeed::FavourSpeed);
    image->SetIncrementalDisplay(true);
    TBitmap* decoded = image->Decode();
    auto truth = Load(EncodePattern(48, 32, {.progressive = true}));
    EXPECT_LT(MeanDifference(*decoded, *truth->Decode()), 40);
}

TEST(JpegDecode, PaletteHandleOnAPaletteDisplayIsAKeptHalftonePalette) {
    platform::DisplaySettings saved = platform::Display();
    platform::Display().bitsPerPixel = 8;
    auto image = Load(EncodePattern(8, 8));
    const HPALETTE palette = image->PaletteHandle();
    EXPECT_NE(palette, nullptr);
    EXPECT_EQ(image->PaletteHandle(), palette);
    EXPECT_EQ(image->HeldPalette(), palette);
    platform::Display() = saved;
    image->Decode();
    EXPECT_EQ(image->HeldPalette(), nullptr);
}

TEST(JpegDecode, PaletteHandleOnATrueColourDisplayIsNone) {
    auto image = Load(EncodePattern(8, 8));
    EXPECT_EQ(image->PaletteHandle(), nullptr);
    image->SetDecodeDepth(TJpegDepth::Depth8);
    EXPECT_EQ(image->PaletteHandle(), nullptr);
}

TEST(JpegDecode, AdoptingAPaletteOfADecodedImageDropsTheBitmap) {
    auto image = Load(EncodePattern(8, 8));
    image->Decode();
    int changes = 0;
    image->OnChange = [&](TObject*) { ++changes; };
    image->AdoptPalette(FourColours());
    EXPECT_EQ(image->HeldBitmap(), nullptr);
    EXPECT_TRUE(image->PaletteModified());
    EXPECT_EQ(changes, 1);
}

TEST(JpegDecode, DecodingAfterLoadReportsThePaletteChange) {
    auto image = Load(EncodePattern(8, 8));
    ProgressLog log;
    log.Attach(*image);
    image->Decode();
    EXPECT_EQ(log.endingPercent, 100);
}

}  // namespace
