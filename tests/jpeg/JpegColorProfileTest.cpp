// Photos that carry a colour profile decode to sRGB; untagged and sRGB-tagged photos, damaged
// profiles and colour management switched off keep the stored numbers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <lcms2.h>

#include <QImage>

#include "JpegTestSupport.h"
#include "support/TaggedPhotos.h"

using namespace jpegtest;

namespace {

Picture Decoded(const Bytes& file) { return PictureOf(*Load(file)->Decode()); }

// Read with colour management off; the setting goes with the image into a copy.
Picture Stored(const Bytes& file) {
    const auto read = Load(file);
    read->SetColorManagement(false);
    TJPEGImage copy;
    copy.CopyFrom(read.get());
    return PictureOf(*copy.Decode());
}

double MeanDifference(const Picture& a, const Picture& b) {
    EXPECT_EQ(a.pixels.size(), b.pixels.size());
    double total = 0;
    for (std::size_t i = 0; i < std::min(a.pixels.size(), b.pixels.size()); ++i)
        total += std::abs(a.pixels[i].r - b.pixels[i].r) + std::abs(a.pixels[i].g - b.pixels[i].g) +
                 std::abs(a.pixels[i].b - b.pixels[i].b);
    return total / double(3 * std::max<std::size_t>(a.pixels.size(), 1));
}

// What a colour-managed viewer shows: lcms's own perceptual transform to its built-in sRGB.
Picture LcmsToSrgb(const Picture& stored, const Bytes& profile) {
    cmsHPROFILE source = cmsOpenProfileFromMem(profile.data(), cmsUInt32Number(profile.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM transform = cmsCreateTransform(source, TYPE_RGB_8, srgb, TYPE_RGB_8, INTENT_PERCEPTUAL, 0);
    Picture result = stored;
    for (Rgb& p : result.pixels) {
        std::uint8_t in[3] = {std::uint8_t(p.r), std::uint8_t(p.g), std::uint8_t(p.b)}, out[3];
        cmsDoTransform(transform, in, out, 1);
        p = {out[0], out[1], out[2]};
    }
    cmsDeleteTransform(transform);
    cmsCloseProfile(srgb);
    cmsCloseProfile(source);
    return result;
}

struct ProfileCase {
    const char* name;
    const char* profile;  // in colord's folder
    std::size_t chunk;    // bytes per APP2 marker
    bool reversed;        // markers stored last chunk first
};

class TaggedPhoto : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(TaggedPhoto, DecodesToWhatLcmsMakesOfTheStoredColours) {
    const ProfileCase& c = GetParam();
    testdata::TempDir temp;
    const auto photo = tagged::MakePhoto(temp);
    const Bytes profile = tagged::ReadBytes(tagged::kColordProfiles + c.profile);
    if (!photo || profile.empty()) GTEST_SKIP() << "ImageMagick, the photograph or colord-data missing";
    const Bytes file = tagged::WithProfile(*photo, profile, c.chunk, c.reversed);
    const Picture stored = Stored(file);
    const Picture managed = Decoded(file);
    EXPECT_LE(MeanDifference(managed, LcmsToSrgb(stored, profile)), 1.0);
    EXPECT_GT(MeanDifference(managed, stored), 2.0) << "the profile made no visible difference";
}

INSTANTIATE_TEST_SUITE_P(Profiles, TaggedPhoto,
                         ::testing::Values(ProfileCase{"AdobeRgb", "AdobeRGB1998.icc", 65519, false},
                                           ProfileCase{"SwappedRedAndGreen", "SwappedRedAndGreen.icc", 65519, false},
                                           ProfileCase{"ProPhoto", "ProPhotoRGB.icc", 65519, false},
                                           ProfileCase{"ChunksOutOfOrder", "AdobeRGB1998.icc", 5000, true}),
                         [](const auto& test) { return std::string(test.param.name); });

// Drawings smaller than the photo convert only the pixels they take; every size must show exactly
// what drawing the fully converted bitmap shows.
TEST(TaggedPhoto, DrawingAtAnySizeMatchesTheConvertedBitmap) {
    testdata::TempDir temp;
    const auto photo = tagged::MakePhoto(temp);
    const Bytes profile = tagged::ReadBytes(tagged::kColordProfiles + "AdobeRGB1998.icc");
    if (!photo || profile.empty()) GTEST_SKIP() << "ImageMagick, the photograph or colord-data missing";
    const Bytes file = tagged::WithProfile(*photo, profile);
    const auto drawn = [](TJPEGImage& image, int width, int height) {
        TBitmap target;  // the display's format, as the conversion's working bitmap
        target.ResizeWidth(width);
        target.ResizeHeight(height);
        target.Canvas().StretchDrawGraphic(TRect{0, 0, width, height}, &image);
        Bytes rows;
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = target.ScanRow(y);
            rows.insert(rows.end(), row, row + 4 * width);
        }
        return rows;
    };
    for (const auto& [width, height] : {std::pair{40, 30}, {159, 119}, {100, 7}, {1, 1}, {160, 120}, {333, 250}}) {
        auto lazy = Load(file), converted = Load(file);
        converted->Decode();
        EXPECT_EQ(drawn(*lazy, width, height), drawn(*converted, width, height)) << width << " x " << height;
    }
    // A small drawing left the rest of the photo unconverted: that is what keeps it cheap.
    auto lazy = Load(file), converted = Load(file);
    drawn(*lazy, 40, 30);
    converted->Decode();
    EXPECT_NE(PictureOf(*lazy->HeldBitmap()).pixels, PictureOf(*converted->HeldBitmap()).pixels);
}

// A photo ImageMagick tags itself: its markers as other programs write them.
TEST(TaggedPhoto, TaggedByImageMagickIsConverted) {
    testdata::TempDir temp;
    const auto file = tagged::MakePhoto(temp, "-profile " + tagged::kColordProfiles + "SwappedRedAndGreen.icc");
    if (!file) GTEST_SKIP() << "ImageMagick or the photograph missing";
    const Picture stored = Stored(*file), managed = Decoded(*file);
    // Red and green trade places, near enough for a photograph.
    Picture swapped = stored;
    for (Rgb& p : swapped.pixels) std::swap(p.r, p.g);
    EXPECT_LT(MeanDifference(managed, swapped), 4.0);
}

// Files whose profile is sRGB, absent, damaged or unusable decode to exactly the stored numbers.
struct UnchangedCase {
    const char* name;
    const char* profile;  // a file, or null for none
    std::function<void(Bytes&)> damage;
};

// Offsets in a file made by WithProfile: the start marker, the APP2 marker and length, the
// signature; then the sequence number, the count and the profile.
constexpr std::size_t kCountAt = 2 + 4 + 12 + 1;
constexpr std::size_t kProfileAt = kCountAt + 1;

class UntouchedPhoto : public ::testing::TestWithParam<UnchangedCase> {};

TEST_P(UntouchedPhoto, KeepsTheStoredNumbers) {
    const UnchangedCase& c = GetParam();
    testdata::TempDir temp;
    const auto photo = tagged::MakePhoto(temp);
    if (!photo) GTEST_SKIP() << "ImageMagick or the photograph missing";
    Bytes file = *photo;
    if (c.profile) {
        const Bytes profile = tagged::ReadBytes(c.profile);
        if (profile.empty()) GTEST_SKIP() << c.profile << " missing";
        file = tagged::WithProfile(file, profile);
    }
    if (c.damage) c.damage(file);
    EXPECT_EQ(Decoded(file).pixels, Stored(*photo).pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, UntouchedPhoto,
    ::testing::Values(UnchangedCase{"Untagged", nullptr, {}},
                      UnchangedCase{"ColordSrgb", "/usr/share/color/icc/colord/sRGB.icc", {}},
                      UnchangedCase{"GhostscriptSrgb", "/usr/share/color/icc/ghostscript/srgb.icc", {}},
                      UnchangedCase{"HeaderSignatureBroken", "/usr/share/color/icc/colord/AdobeRGB1998.icc",
                                    [](Bytes& f) { f[kProfileAt + 36] = 'X'; }},  // "acsp"
                      UnchangedCase{"ChunkMissing", "/usr/share/color/icc/colord/AdobeRGB1998.icc",
                                    [](Bytes& f) { f[kCountAt] = 2; }},
                      UnchangedCase{"TagTableCutOff", "/usr/share/color/icc/colord/AdobeRGB1998.icc",
                                    [](Bytes& f) { std::fill_n(f.begin() + kProfileAt + 128, 200, 0xFF); }},
                      // A gray profile cannot describe colour pixels.
                      UnchangedCase{"GrayProfile", "/usr/share/color/icc/ghostscript/sgray.icc", {}},
                      UnchangedCase{"CmykProfileOnRgb", "/usr/share/color/icc/ghostscript/default_cmyk.icc", {}}),
    [](const auto& test) { return std::string(test.param.name); });

// A CMYK print file with its profile shows as ImageMagick, itself colour-managed, shows it; the
// plain inversion of the inks is visibly further off.
TEST(TaggedPhoto, CmykGoesThroughItsProfile) {
    testdata::TempDir temp;
    const std::string cmykProfile = "/usr/share/color/icc/ghostscript/default_cmyk.icc";
    const auto cmyk =
        tagged::MakePhoto(temp, "-profile " + tagged::kColordProfiles + "sRGB.icc -intent Perceptual -profile " +
                                    cmykProfile + " -quality 95");
    if (!cmyk || !std::filesystem::exists(cmykProfile)) GTEST_SKIP() << "tools or profiles missing";
    const std::string back = temp.File("back.png");
    ASSERT_EQ(std::system(("/usr/bin/convert '" + temp.File("photo.jpg") + "' -intent Perceptual -profile " +
                           tagged::kColordProfiles + "sRGB.icc -strip '" + back + "'")
                              .c_str()),
              0);
    const QImage viewed = QImage(QString::fromStdString(back)).convertToFormat(QImage::Format_RGB888);
    Picture reference{viewed.width(), viewed.height(), {}};
    for (int y = 0; y < viewed.height(); ++y)
        for (int x = 0; x < viewed.width(); ++x) {
            const QRgb c = viewed.pixel(x, y);
            reference.pixels.push_back({qRed(c), qGreen(c), qBlue(c)});
        }
    const double managed = MeanDifference(Decoded(*cmyk), reference);
    const double inverted = MeanDifference(Stored(*cmyk), reference);
    EXPECT_LE(managed, 1.5) << inverted;
    EXPECT_GT(inverted, 4 * managed);
}

}  // namespace
