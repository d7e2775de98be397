// PNG, WebP and HEIF files made from a real photograph by the formats' own encoders, read by
// extension through the registry and decoded; the pixels match the encoder's input within the
// format's loss (Qt reads the reference).

#include <gtest/gtest.h>

#include "FormatsTestSupport.h"
#include "app/conversion/PictureFormats.h"
#include "formats/RasterImage.h"
#include "graphics/Picture.h"

using namespace formatstest;

namespace {

struct DecodeCase {
    const char* name;
    bool alphaInput;      // the encoder reads alpha.png instead of photo.png
    const char* file;     // what is made; its extension picks the class
    const char* command;  // IN, OUT and DIR are replaced
    const char* className;
    bool referenceIsFile;  // the made file itself is the reference (the encoder reduced the colours)
    double maxMean;
    int maxDiff;
};

std::string Substitute(std::string text, const std::string& key, const std::string& value) {
    for (std::size_t at; (at = text.find(key)) != std::string::npos;) text.replace(at, key.size(), value);
    return text;
}

class FormatDecode : public ::testing::TestWithParam<DecodeCase> {
protected:
    static void SetUpTestSuite() { RegisterPictureFormats(); }
};

TEST_P(FormatDecode, MatchesTheEncodersInput) {
    const DecodeCase& c = GetParam();
    testdata::TempDir temp;
    const auto photo = MakePhoto(temp);
    const std::string tool = std::string(c.command).substr(0, std::string(c.command).find(' '));
    if (!photo || !HaveTool(tool)) GTEST_SKIP() << "photograph or " << tool << " not installed";
    const std::filesystem::path input = c.alphaInput ? MakeAlphaPhoto(temp) : *photo;
    const std::filesystem::path file = temp.Path() / c.file;
    std::string command = Substitute(c.command, "IN", "'" + input.string() + "'");
    command = Substitute(Substitute(command, "OUT", "'" + file.string() + "'"), "DIR", temp.Path().string());
    ASSERT_TRUE(RunQuietly(command)) << command;

    TPicture picture;
    picture.ReadFromFile(file.string());
    ASSERT_STREQ(picture.CurrentGraphic()->ClassName(), c.className);
    const QImage reference = ReferenceOverWhite(c.referenceIsFile ? file : input);
    ASSERT_EQ(picture.ImageWidth(), reference.width());
    ASSERT_EQ(picture.ImageHeight(), reference.height());
    TBitmap& bitmap = *static_cast<TRasterImage*>(picture.CurrentGraphic())->Decode();
    ASSERT_EQ(bitmap.ImageWidth(), reference.width());
    ASSERT_EQ(bitmap.ImageHeight(), reference.height());
    ASSERT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits24);
    const Difference d = Compare(bitmap, reference);
    EXPECT_LE(d.mean, c.maxMean);
    EXPECT_LE(d.max, c.maxDiff);
}

// Lossless rows must match exactly; alpha over white may round one step apart from Qt's reading.
INSTANTIATE_TEST_SUITE_P(
    Files, FormatDecode,
    ::testing::Values(
        DecodeCase{"OpaquePng", false, "p.png", "/usr/bin/convert IN PNG24:OUT", "TPngImage", false, 0, 0},
        DecodeCase{"AlphaPng", true, "a.png", "/usr/bin/convert IN PNG32:OUT", "TPngImage", false, 0.01, 1},
        DecodeCase{"SixteenBitPng", false, "s.PNG", "/usr/bin/convert IN -depth 16 PNG48:OUT", "TPngImage", false, 0,
                   0},
        DecodeCase{"SixteenBitAlphaPng", true, "sa.png", "/usr/bin/convert IN -depth 16 PNG64:OUT", "TPngImage", false,
                   0.01, 1},
        DecodeCase{"PalettePng", false, "pal.png", "/usr/bin/convert IN -colors 50 PNG8:OUT", "TPngImage", true, 0, 0},
        DecodeCase{"PaletteAlphaPng", true, "pala.png", "/usr/bin/convert IN -colors 50 PNG8:OUT", "TPngImage", true,
                   0.01, 1},
        DecodeCase{"GrayFourBitPng", false, "g.png", "/usr/bin/convert IN -colorspace Gray -depth 4 OUT", "TPngImage",
                   true, 0, 0},
        DecodeCase{"InterlacedPng", false, "i.png", "/usr/bin/convert IN -interlace PNG PNG24:OUT", "TPngImage", false,
                   0, 0},
        DecodeCase{"LosslessWebP", false, "l.webp", "/usr/bin/cwebp -quiet -lossless IN -o OUT", "TWebPImage", false, 0,
                   0},
        DecodeCase{"LossyWebP", false, "q.webp", "/usr/bin/cwebp -quiet -q 90 IN -o OUT", "TWebPImage", false, 6.0,
                   255},
        DecodeCase{"AlphaWebP", true, "a.webp", "/usr/bin/cwebp -quiet -lossless -exact IN -o OUT", "TWebPImage", false,
                   0.01, 1},
        DecodeCase{"AnimatedWebPFirstFrame", false, "anim.webp",
                   "/usr/bin/convert IN -flip DIR/flip.png && /usr/bin/img2webp -lossless IN DIR/flip.png -o OUT",
                   "TWebPImage", false, 0, 0},
        DecodeCase{"Heic", false, "h.heic", "/usr/bin/heif-enc -q 90 IN -o OUT", "THeifImage", false, 5.0, 255},
        DecodeCase{"AlphaHeif", true, "a.heif", "/usr/bin/heif-enc -q 90 IN -o OUT", "THeifImage", false, 5.0, 255}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
