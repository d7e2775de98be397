// PNG (iCCP), WebP (ICCP) and HEIC (colour profile property) files with a colour profile read as
// sRGB; colour management switched off keeps the stored numbers.

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/conversion/PictureFormats.h"
#include "formats/RasterImage.h"
#include "graphics/Picture.h"
#include "support/TaggedPhotos.h"

namespace {

using tagged::MeanDifference;
using tagged::Rgb;

std::vector<Rgb> Decoded(const std::string& path, bool colorManagement = true) {
    TPicture picture;
    picture.ColorManagement = colorManagement;
    picture.ReadFromFile(path);
    TBitmap& bitmap = *static_cast<TRasterImage*>(picture.CurrentGraphic())->Decode();
    std::vector<Rgb> pixels;
    for (int y = 0; y < bitmap.ImageHeight(); ++y) {
        const std::uint8_t* row = bitmap.ScanRow(y);
        for (int x = 0; x < bitmap.ImageWidth(); ++x) pixels.push_back({row[3 * x + 2], row[3 * x + 1], row[3 * x]});
    }
    return pixels;
}

struct FormatCase {
    const char* name;
    const char* extension;  // made by ImageMagick with the profile
    const char* encoder;    // then re-encoded by this command (IN, OUT), or null
    const char* output;
};

class TaggedFormat : public ::testing::TestWithParam<FormatCase> {
protected:
    static void SetUpTestSuite() { RegisterPictureFormats(); }
};

TEST_P(TaggedFormat, SwappedRedAndGreenProfileSwapsThemBack) {
    const FormatCase& c = GetParam();
    testdata::TempDir temp;
    const auto made =
        tagged::MakePhoto(temp, "-profile " + tagged::kColordProfiles + "SwappedRedAndGreen.icc", c.extension);
    if (!made) GTEST_SKIP() << "ImageMagick, the photograph or colord-data missing";
    std::string file = temp.File(std::string("photo.") + c.extension);
    if (c.encoder) {
        const std::string output = temp.File(c.output);
        std::string command = c.encoder;
        command.replace(command.find("IN"), 2, "'" + file + "'");
        command.replace(command.find("OUT"), 3, "'" + output + "' >/dev/null 2>&1");
        if (std::system(command.c_str()) != 0) GTEST_SKIP() << c.encoder << " failed or is missing";
        file = output;
    }
    const std::vector<Rgb> stored = Decoded(file, false);
    const std::vector<Rgb> managed = Decoded(file);
    EXPECT_LT(MeanDifference(managed, tagged::RedAndGreenSwapped(stored)), 4.0);
    EXPECT_GT(MeanDifference(managed, stored), 8.0);
}

INSTANTIATE_TEST_SUITE_P(Formats, TaggedFormat,
                         ::testing::Values(FormatCase{"Png", "png", nullptr, nullptr},
                                           FormatCase{"WebP", "webp", nullptr, nullptr},
                                           FormatCase{"Heic", "png", "/usr/bin/heif-enc -q 90 IN -o OUT", "h.heic"}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
