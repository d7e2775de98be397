// Colour lookups, ditherers, the octree palette and ReduceToPalette, and frames made from
// bitmaps.

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

#include "GifTestSupport.h"
#include "gif/ColorLookup.h"
#include "gif/ColorQuantizer.h"
#include "gif/ColorReduction.h"
#include "gif/Ditherers.h"
#include "graphics/Bitmap.h"
#include "graphics/Streams.h"
#include "support/TestBitmaps.h"
#include "support/TestData.h"

using namespace giftest;
using gif::TRgb;
using testsupport::MakeBitmap;
using testsupport::MeanDifference;

namespace {

struct LookupCase {
    const char* name;
    std::function<std::unique_ptr<gif::TColorLookup>()> make;
    TRgb in;
    int index;
    TRgb out;
};

class ColorLookups : public testing::TestWithParam<LookupCase> {};

std::vector<TRgb> Entries(const platform::HPALETTE& palette) {
    std::vector<platform::PALETTEENTRY> read(platform::GetPaletteEntryCount(palette));
    platform::GetPaletteEntries(palette, 0, unsigned(read.size()), read.data());
    std::vector<TRgb> out;
    for (const auto& e : read) out.push_back({e.peRed, e.peGreen, e.peBlue});
    return out;
}

std::unique_ptr<TBitmap> PhotoBitmap() {
    const std::string photo = Photo("nature/Garden.jpg");
    if (photo.empty() || !std::filesystem::exists("/usr/bin/convert")) return nullptr;
    testdata::TempDir dir;
    const std::string command = "/usr/bin/convert -define jpeg:size=1280x960 '" + photo +
                                "' -resize 640x480 'bmp3:" + dir.File("photo.bmp") + "'";
    if (std::system(command.c_str()) != 0) return nullptr;
    TFileStream stream(dir.File("photo.bmp"), TFileStream::fmOpenRead);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromStream(stream);
    return bitmap;
}

}  // namespace

TEST_P(ColorLookups, GiveTheEntry) {
    const LookupCase& c = GetParam();
    TRgb found;
    EXPECT_EQ(c.make()->LookupColor(c.in, found), c.index);
    EXPECT_EQ(std::tie(found.r, found.g, found.b), std::tie(c.out.r, c.out.g, c.out.b));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Kinds, ColorLookups,
    testing::Values(
        LookupCase{"WebOrange", [] { return std::make_unique<gif::TNetscapeColorLookup>(); }, {255, 128, 0}, 192,
                   {255, 102, 0}},
        LookupCase{"BlackBelowHalf", [] { return std::make_unique<gif::TMonochromeLookup>(); }, {127, 127, 127}, 0,
                   {0, 0, 0}},
        LookupCase{"WhiteFromHalf", [] { return std::make_unique<gif::TMonochromeLookup>(); }, {128, 128, 128}, 1,
                   {255, 255, 255}},
        LookupCase{"GrayOfRed", [] { return std::make_unique<gif::TGrayScaleLookup>(); }, {255, 0, 0}, 76,
                   {76, 76, 76}},
        LookupCase{"NearestOfFourGrays", [] { return std::make_unique<gif::TFastColorLookup>(gif::FourGraysPalette()); },
                   {150, 170, 140}, 1, {128, 128, 128}}),
    [](const testing::TestParamInfo<LookupCase>& param) { return param.param.name; });
// clang-format on

TEST(Dithering, FloydSteinbergOfMidGrayIsHalfBlackHalfWhite) {
    auto gray = MakeBitmap(64, 64, [](int, int) { return TRgb{128, 128, 128}; });
    auto reduced = gif::ReduceToPalette(*gray, TColorReduction::BlackWhite, TDitherMode::FloydSteinberg, nullptr, 8);
    ASSERT_EQ(reduced->CurrentDepth(), TPixelDepth::Bits8);
    int white = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) white += reduced->ReadScanRow(y)[x];
    EXPECT_NEAR(white, 64 * 64 / 2, 64 * 64 / 20);
}

TEST(Reduction, Grays256GivesAnEightBitGrayRamp) {
    auto photo = MakeBitmap(30, 20, [](int x, int y) { return TRgb{std::uint8_t(x * 8), std::uint8_t(y * 12), 99}; });
    auto reduced = gif::ReduceToPalette(*photo, TColorReduction::Grays256, TDitherMode::Nearest, nullptr, 8);
    EXPECT_EQ(reduced->CurrentDepth(), TPixelDepth::Bits8);
    const std::vector<TRgb> entries = Entries(reduced->PaletteHandle());
    ASSERT_EQ(entries.size(), 256u);
    EXPECT_EQ(entries[200].g, 200);
}

TEST(Reduction, OctreeOfRedAndBlueHalves) {
    auto halves = MakeBitmap(20, 10, [](int x, int) { return x < 10 ? TRgb{255, 0, 0} : TRgb{0, 0, 255}; });
    const std::vector<TRgb> palette = Entries(gif::OptimizedPalette(*halves, 2, false));
    ASSERT_EQ(palette.size(), 2u);
    EXPECT_EQ(std::tie(palette[0].r, palette[0].b), std::make_tuple(std::uint8_t(0), std::uint8_t(255)));
    EXPECT_EQ(std::tie(palette[1].r, palette[1].b), std::make_tuple(std::uint8_t(255), std::uint8_t(0)));
}

// Each method and ditherer on a photograph: a broken one shows as an outlier.
// clang-format off
TEST(Reduction, EveryMethodOnAPhotograph) {
    auto photo = PhotoBitmap();
    if (!photo) GTEST_SKIP() << "no photograph or no ImageMagick";
    std::map<std::string, double> error;
    const std::pair<const char*, TColorReduction> methods[] = {
        {"KeepColors", TColorReduction::KeepColors}, {"SystemColors20", TColorReduction::SystemColors20},
        {"Halftone256", TColorReduction::Halftone256}, {"FourGrays", TColorReduction::FourGrays},
        {"BlackWhite", TColorReduction::BlackWhite}, {"Grays256", TColorReduction::Grays256},
        {"WebColors", TColorReduction::WebColors}, {"OptimizedColors", TColorReduction::OptimizedColors},
        {"OptimizedWithSystemColors", TColorReduction::OptimizedWithSystemColors},
        {"GivenPalette", TColorReduction::GivenPalette}};
    for (const auto& [name, method] : methods) {
        auto reduced = gif::ReduceToPalette(*photo, method, TDitherMode::Nearest, gif::WebPalette(), 8);
        error[name] = MeanDifference(*photo, *reduced);
        std::cout << "method " << name << ": mean error " << error[name] << "\n";
    }
    EXPECT_EQ(error["KeepColors"], 0);
    // The web cube's own lookup truncates; the nearest entry of the same palette is closer.
    EXPECT_LT(error["GivenPalette"], error["WebColors"]);
    EXPECT_LT(error["OptimizedColors"], error["WebColors"]);
    EXPECT_LT(error["OptimizedWithSystemColors"], error["WebColors"]);
    EXPECT_LT(error["WebColors"], error["SystemColors20"]);
    for (const auto& [name, value] : error) EXPECT_LE(value, error["BlackWhite"]) << name;
    const std::pair<const char*, TDitherMode> ditherers[] = {
        {"FloydSteinberg", TDitherMode::FloydSteinberg}, {"Stucki", TDitherMode::Stucki},
        {"Sierra", TDitherMode::Sierra}, {"JaJuNi", TDitherMode::JaJuNi},
        {"SteveArche", TDitherMode::SteveArche}, {"Burkes", TDitherMode::Burkes}};
    for (const auto& [name, mode] : ditherers) {
        auto reduced = gif::ReduceToPalette(*photo, TColorReduction::WebColors, mode, nullptr, 8);
        const double e = MeanDifference(*photo, *reduced);
        std::cout << "dither " << name << " (web colours): mean error " << e << "\n";
        EXPECT_LT(e, 2 * error["WebColors"]) << name;
    }
}
// clang-format on

// clang-format off
TEST(FrameFromBitmap, EightBitKeepsPaletteAndIndices) {
    auto source = gif::ReduceToPalette(*MakeBitmap(9, 7, [](int x, int y) { return TRgb{std::uint8_t(x * 30), std::uint8_t(y * 40), 7}; }),
                                       TColorReduction::WebColors, TDitherMode::Nearest, nullptr, 8);
    TGIFImage image;
    image.AddFrame(source.get());
    TGIFSubImage& frame = *image.Images().Frame(0);
    ASSERT_EQ(frame.Width(), 9);
    ASSERT_EQ(frame.ColorMap().Count(), 216);
    const std::vector<TRgb> palette = Entries(source->PaletteHandle());
    for (int i = 0; i < 216; ++i) EXPECT_EQ(frame.ColorMap().ColorAt(i), TColor(palette[std::size_t(i)].r | palette[std::size_t(i)].g << 8 | palette[std::size_t(i)].b << 16));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(frame.IndexAt(x, y), source->ReadScanRow(y)[x]);
}
// clang-format on

// A true-colour bitmap with KeepColors keeps its exact colours, the transparent one as index.
// clang-format off
TEST(FrameFromBitmap, TrueColorKeptWithItsTransparency) {
    auto source = MakeBitmap(6, 4, [](int x, int y) { return x == 0 && y == 3 ? TRgb{1, 2, 3} : TRgb{std::uint8_t(x * 40), 50, 60}; });
    source->ChangeTransparent(true);  // the bottom-left pixel's colour
    TGIFImage image;
    image.ColorReduction = TColorReduction::KeepColors;
    image.AddFrame(source.get());
    TGIFSubImage& frame = *image.Images().Frame(0);
    ASSERT_TRUE(frame.Transparent());
    const int transparent = frame.GraphicControlExtension()->TransparentColorIndex();
    EXPECT_EQ(frame.IndexAt(0, 3), transparent);
    EXPECT_EQ(frame.ActiveColorMap().ColorAt(frame.IndexAt(5, 0)), TColor(200 | 50 << 8 | 60 << 16));
    const Bytes written = [&] {
        TMemoryStream stream;
        image.SaveToStream(stream);
        return Bytes(stream.Memory(), stream.Memory() + stream.Size());
    }();
    const std::optional<RefGif> ref = GiflibRead(written);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->frames[0].transparent, transparent);
}
// clang-format on
