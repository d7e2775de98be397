// BMP files with a version 5 header and an embedded colour profile read as sRGB; every other file
// of the suite, damaged profiles and colour management switched off keep the stored numbers.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "BitmapTestSupport.h"
#include "graphics/Exceptions.h"
#include "support/TaggedPhotos.h"
#include "support/TestData.h"

namespace fs = std::filesystem;

namespace {

using tagged::MeanDifference;
using tagged::RedAndGreenSwapped;
using tagged::Rgb;

// The picture drawn into a 32-bit bitmap of its size.
std::vector<Rgb> Pixels(const std::vector<std::uint8_t>& file, bool colorManagement = true) {
    TBitmap picture;
    picture.SetColorManagement(colorManagement);
    bitmaptest::Load(picture, file);
    const int width = picture.ImageWidth(), height = picture.ImageHeight();
    TBitmap target;
    bitmaptest::Shape(target, TPixelDepth::Bits32, width, height);
    target.Canvas().StretchDrawGraphic(TRect{0, 0, width, height}, &picture);
    std::vector<Rgb> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = target.ScanRow(y) + 4 * x;
            pixels.push_back({p[2], p[1], p[0]});
        }
    return pixels;
}

std::vector<Rgb> Stored(const std::vector<std::uint8_t>& file) { return Pixels(file, false); }

// ImageMagick writes a version 5 header with the profile after the pixels.
struct TaggedCase {
    const char* name;
    const char* options;
};

class TaggedBmp : public ::testing::TestWithParam<TaggedCase> {};

TEST_P(TaggedBmp, SwappedRedAndGreenProfileSwapsThemBack) {
    testdata::TempDir temp;
    const auto file = tagged::MakePhoto(
        temp, std::string(GetParam().options) + " -profile " + tagged::kColordProfiles + "SwappedRedAndGreen.icc",
        "bmp");
    if (!file) GTEST_SKIP() << "ImageMagick, the photograph or colord-data missing";
    const std::vector<Rgb> stored = Stored(*file);
    EXPECT_LT(MeanDifference(Pixels(*file), RedAndGreenSwapped(stored)), 4.0);
    EXPECT_GT(MeanDifference(Pixels(*file), stored), 8.0);
}

INSTANTIATE_TEST_SUITE_P(Depths, TaggedBmp,
                         ::testing::Values(TaggedCase{"Bits24", "-type TrueColor"},
                                           TaggedCase{"Bits32", "-type TrueColorAlpha -alpha on"},
                                           TaggedCase{"Palette", "-type Palette -compress None"},
                                           TaggedCase{"PaletteRle", "-type Palette -compress RLE"}),
                         [](const auto& test) { return std::string(test.param.name); });

// The suite's own test: red and green swapped in the pixels, and a profile that swaps them back.
TEST(BmpSuiteProfile, SwappedFileShowsTheOrdinaryPicture) {
    REQUIRE_TESTDATA(root);
    const auto suite = root / "bmpsuite";
    const std::vector<Rgb> plain = Pixels(tagged::ReadBytes((suite / "g" / "rgb24.bmp").string()));
    EXPECT_LT(MeanDifference(Pixels(tagged::ReadBytes((suite / "q" / "rgb24prof2.bmp").string())), plain), 4.0);
}

// Files without an embedded profile (linked ones are never opened) read as they always have.
TEST(BmpSuiteProfile, FilesWithoutAnEmbeddedProfileAreUnchanged) {
    REQUIRE_TESTDATA(root);
    for (const char* folder : {"g", "q"})
        for (const auto& entry : fs::directory_iterator(root / "bmpsuite" / folder)) {
            const std::string name = entry.path().filename().string();
            if (name == "rgb24prof.bmp" || name == "rgb24prof2.bmp") continue;
            SCOPED_TRACE(name);
            const auto file = tagged::ReadBytes(entry.path().string());
            TBitmap managed, stored;
            try {
                bitmaptest::Load(managed, file);
            } catch (const Exception&) {
                continue;  // refused files are the suite test's business
            }
            stored.SetColorManagement(false);
            bitmaptest::Load(stored, file);
            EXPECT_EQ(bitmaptest::Saved(managed), bitmaptest::Saved(stored));
        }
}

// Offsets of the version 5 header fields in a file: the 14-byte file header comes first.
constexpr std::size_t kProfileDataAt = 14 + 112;
constexpr std::size_t kProfileSizeAt = 14 + 116;

struct DamageCase {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> damage;
};

class DamagedBmpProfile : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedBmpProfile, IsIgnored) {
    REQUIRE_TESTDATA(root);
    auto file = tagged::ReadBytes((root / "bmpsuite" / "q" / "rgb24prof2.bmp").string());
    ASSERT_GT(file.size(), kProfileSizeAt + 4);
    GetParam().damage(file);
    EXPECT_EQ(MeanDifference(Pixels(file), Stored(file)), 0.0);
}

void Put32At(std::vector<std::uint8_t>& file, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedBmpProfile,
    ::testing::Values(DamageCase{"SignatureBroken",  // "acsp" at 36 in the profile
                                 [](auto& f) { f[14 + f[kProfileDataAt] + (f[kProfileDataAt + 1] << 8) + 36] = 'X'; }},
                      DamageCase{"PastTheEnd", [](auto& f) { Put32At(f, kProfileSizeAt, std::uint32_t(f.size())); }},
                      DamageCase{"InsideTheHeader", [](auto& f) { Put32At(f, kProfileDataAt, 8); }},
                      DamageCase{"OffsetOverflows", [](auto& f) { Put32At(f, kProfileDataAt, 0xFFFFFFF0u); }}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
