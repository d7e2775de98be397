// Our decoding against djpeg's on the same files: photographs of the installed backgrounds and
// small files made here with cjpeg. Same library settings, so the same pixels.

#include <gtest/gtest.h>

#include <cstdlib>

#include "JpegTestSupport.h"
#include "support/TestData.h"

using namespace jpegtest;

namespace {

struct ReferenceCase {
    const char* name;
    const char* photo;  // a photograph, or null for a file made with cjpeg
    const char* cjpegOptions;
    TJpegScale scale;
    TJpegSpeed speed;
    bool smoothing;
    const char* djpegOptions;
};

void WritePpm(const std::filesystem::path& path, int width, int height) {
    Bytes ppm;
    const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    ppm.insert(ppm.end(), header.begin(), header.end());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = Pattern(x, y);
            ppm.insert(ppm.end(), {std::uint8_t(c.r), std::uint8_t(c.g), std::uint8_t(c.b)});
        }
    WriteFile(path, ppm);
}

// The file under test: the photograph, or a pattern compressed by cjpeg with the case's options.
std::optional<std::filesystem::path> InputFile(const ReferenceCase& c, const testdata::TempDir& temp) {
    if (c.photo) {
        if (!std::filesystem::exists(c.photo)) return std::nullopt;
        return std::filesystem::path(c.photo);
    }
    if (!HaveTool("cjpeg")) return std::nullopt;
    WritePpm(temp.File("in.ppm"), 77, 45);
    const std::string command = std::string("cjpeg ") + c.cjpegOptions + " -outfile '" + temp.File("in.jpg") + "' '" +
                                temp.File("in.ppm") + "'";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    return temp.Path() / "in.jpg";
}

class DjpegReference : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(DjpegReference, GivesTheSamePixels) {
    const ReferenceCase& c = GetParam();
    testdata::TempDir temp;
    const auto file = InputFile(c, temp);
    if (!file) GTEST_SKIP() << "input not available";
    const auto reference = Djpeg(*file, c.djpegOptions);
    if (!reference) GTEST_SKIP() << "djpeg not available";

    auto image = Load(ReadFile(*file));
    image->SetDecodeScale(c.scale);
    image->SetDecodeSpeed(c.speed);
    image->SetBlockSmoothing(c.smoothing);
    const Picture decoded = PictureOf(*image->Decode());
    ASSERT_EQ(decoded.width, reference->width);
    ASSERT_EQ(decoded.height, reference->height);
    long mismatches = 0;
    for (int y = 0; y < reference->height; ++y)
        for (int x = 0; x < reference->width; ++x)
            if (!(decoded.At(x, y) == reference->At(x, y)) && mismatches++ < 5)
                ADD_FAILURE() << "pixel " << x << "," << y;
    EXPECT_EQ(mismatches, 0);
}

constexpr auto Full = TJpegScale::ScaleFull;
constexpr auto Quality = TJpegSpeed::FavourQuality;

INSTANTIATE_TEST_SUITE_P(
    Files, DjpegReference,
    ::testing::Values(
        ReferenceCase{"Baseline", nullptr, "-quality 85", Full, Quality, true, "-dct float"},
        ReferenceCase{"NoSubsampling", nullptr, "-quality 92 -sample 1x1", Full, Quality, true, "-dct float"},
        ReferenceCase{"Progressive", nullptr, "-progressive", Full, Quality, true, "-dct float"},
        ReferenceCase{"Restarts", nullptr, "-restart 1", Full, Quality, true, "-dct float"},
        ReferenceCase{"Arithmetic", nullptr, "-arithmetic", Full, Quality, true, "-dct float"},
        ReferenceCase{"Half", nullptr, "", TJpegScale::ScaleHalf, Quality, true, "-dct float -scale 1/2"},
        ReferenceCase{"Eighth", nullptr, "", TJpegScale::ScaleEighth, Quality, true, "-dct float -scale 1/8"},
        ReferenceCase{"FavourSpeed", nullptr, "", Full, TJpegSpeed::FavourSpeed, true, "-dct fast"},
        // Gray files come out as 236 dithered levels, as djpeg quantises them.
        ReferenceCase{"Gray", nullptr, "-grayscale", Full, Quality, true, "-dct float -colors 236 -dither fs"},
        ReferenceCase{"PhotoBaseline", "/usr/share/backgrounds/mate/nature/Dune.jpg", "", Full, Quality, true,
                      "-dct float"},
        ReferenceCase{"PhotoProgressiveQuarter", "/usr/share/backgrounds/mate/nature/GreenMeadow.jpg", "",
                      TJpegScale::ScaleQuarter, Quality, true, "-dct float -scale 1/4"}),
    [](const auto& test) { return std::string(test.param.name); });

// Our encoder against the same compression done by cjpeg with the same settings.
TEST(CjpegReference, EncodesTheSameBytes) {
    if (!HaveTool("cjpeg")) GTEST_SKIP() << "cjpeg not available";
    testdata::TempDir temp;
    WritePpm(temp.File("in.ppm"), 77, 45);
    for (const char* options :
         {"-quality 75 -dct float", "-quality 30 -dct float -grayscale", "-quality 90 -dct float -progressive"}) {
        const std::string command =
            std::string("cjpeg ") + options + " -outfile '" + temp.File("ref.jpg") + "' '" + temp.File("in.ppm") + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const std::string text = options;
        auto bitmap = MakeBitmap(77, 45, Pattern);
        const Bytes ours = Encode(*bitmap, {.quality = std::atoi(text.c_str() + 9),
                                            .gray = text.find("gray") != std::string::npos,
                                            .progressive = text.find("progressive") != std::string::npos});
        EXPECT_EQ(ours, ReadFile(temp.Path() / "ref.jpg")) << options;
    }
}

}  // namespace
