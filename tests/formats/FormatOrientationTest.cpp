// The formats' own orientation: an EXIF chunk in PNG and WebP, rotation and mirror properties in
// HEIF. The upright picture matches the photograph turned by ImageMagick; with automatic
// orientation off an EXIF orientation is ignored, while HEIF's properties still apply.

#include <gtest/gtest.h>

#include "FormatsTestSupport.h"
#include "app/conversion/PictureFormats.h"
#include "formats/RasterImage.h"
#include "graphics/Picture.h"

using namespace formatstest;

namespace {

struct OrientationCase {
    const char* name;
    const char* format;
    int orientation;
    bool exif;       // the orientation is an EXIF tag, which automatic orientation may ignore
    double maxMean;  // the format's loss
};

// The photograph with the orientation stored in the format's own way.
std::optional<std::filesystem::path> MakeOriented(const OrientationCase& c, const testdata::TempDir& temp) {
    const std::filesystem::path photo = temp.Path() / "photo.png";
    const std::filesystem::path file = temp.Path() / (std::string("oriented.") + c.format);
    const std::string format = c.format;
    if (format == "png") {
        Bytes png = ReadFile(photo);
        const Bytes exif = PngChunk("eXIf", ExifBlock(c.orientation));
        png.insert(png.begin() + 33, exif.begin(), exif.end());  // after the signature and IHDR
        WriteFile(file, png);
    } else if (format == "webp") {
        WriteFile(temp.Path() / "exif.bin", ExifBlock(c.orientation));
        if (!HaveTool("/usr/bin/webpmux")) return std::nullopt;
        const std::string lossless = temp.File("plain.webp");
        if (!RunQuietly("/usr/bin/cwebp -quiet -lossless '" + photo.string() + "' -o '" + lossless + "'") ||
            !RunQuietly("/usr/bin/webpmux -set exif '" + temp.File("exif.bin") + "' '" + lossless + "' -o '" +
                        file.string() + "'"))
            return std::nullopt;
    } else if (!EncodeHeic(photo, c.orientation, file)) {
        return std::nullopt;
    }
    return file;
}

class FormatOrientation : public ::testing::TestWithParam<OrientationCase> {
protected:
    static void SetUpTestSuite() { RegisterPictureFormats(); }
};

TEST_P(FormatOrientation, DrawsUprightOrAsStored) {
    const OrientationCase& c = GetParam();
    testdata::TempDir temp;
    const auto photo = MakePhoto(temp);
    if (!photo) GTEST_SKIP() << "photograph or ImageMagick not installed";
    const auto file = MakeOriented(c, temp);
    if (!file) GTEST_SKIP() << "encoder not installed";
    const std::filesystem::path upright = temp.Path() / "upright.png";
    ASSERT_TRUE(RunQuietly("/usr/bin/convert '" + photo->string() + "' " + ImageMagickTurn(c.orientation) + " '" +
                           upright.string() + "'"));

    TPicture picture;
    picture.ReadFromFile(file->string());
    auto& image = static_cast<TRasterImage&>(*picture.CurrentGraphic());
    for (const bool autoOrient : {true, false}) {
        SCOPED_TRACE(autoOrient ? "upright" : "automatic orientation off");
        image.SetAutoOrient(autoOrient);
        const QImage reference = ReferenceOverWhite(autoOrient || !c.exif ? upright : *photo);
        ASSERT_EQ(image.ImageWidth(), reference.width());
        ASSERT_EQ(image.ImageHeight(), reference.height());
        TBitmap& bitmap = *image.Decode();
        ASSERT_EQ(bitmap.ImageWidth(), reference.width());
        ASSERT_EQ(bitmap.ImageHeight(), reference.height());
        EXPECT_LE(Compare(bitmap, reference).mean, c.maxMean);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, FormatOrientation,
                         ::testing::Values(OrientationCase{"PngQuarterTurn", "png", 6, true, 0},
                                           OrientationCase{"PngMirrored", "png", 2, true, 0},
                                           OrientationCase{"WebPQuarterBack", "webp", 8, true, 0},
                                           OrientationCase{"WebPTransposed", "webp", 5, true, 0},
                                           OrientationCase{"HeicQuarterTurn", "heic", 6, false, 5.0},
                                           OrientationCase{"HeicTransversed", "heic", 7, false, 5.0},
                                           OrientationCase{"HeicMirroredTopBottom", "heic", 4, false, 5.0}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
