// PNG, WebP and HEIC photos through the tool: each converts to the 640 x 480 JPEG, and a lossless
// file writes the same bytes as the BMP of the same pixels.

#include <gtest/gtest.h>

#include <cstdlib>

#include "ToolOutput.h"
#include "app/conversion/PictureFormats.h"
#include "support/TaggedPhotos.h"

namespace {

struct FormatCase {
    const char* name;
    const char* file;
    const char* command;  // makes `file` from photo.png in the folder
    bool lossless;
};

class ToolFormats : public testing::TestWithParam<FormatCase> {
protected:
    static void SetUpTestSuite() { RegisterPictureFormats(); }
    static void TearDownTestSuite() { UnregisterPictureFormats(); }
};

TEST_P(ToolFormats, ConvertLikeTheSamePixelsInABmp) {
    const FormatCase& c = GetParam();
    testdata::TempDir temp;
    if (!tagged::MakePhoto(temp, "", "png")) GTEST_SKIP() << "ImageMagick or the photograph missing";
    const std::string make = "cd '" + temp.Path().string() + "' && /usr/bin/convert photo.png BMP3:photo.bmp && " +
                             c.command + " >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0) GTEST_SKIP() << "encoder missing: " << c.command;
    const tagged::Bytes output = ToolOutput(temp.File(c.file));
    ASSERT_GT(output.size(), 2u);
    EXPECT_EQ(output[0], 0xff);
    EXPECT_EQ(output[1], 0xd8);
    if (c.lossless) {
        EXPECT_EQ(output, ToolOutput(temp.File("photo.bmp")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ToolFormats,
    testing::Values(FormatCase{"Png", "photo.png", "true", true},
                    FormatCase{"LosslessWebP", "l.webp", "/usr/bin/cwebp -lossless photo.png -o l.webp", true},
                    FormatCase{"Heic", "h.heic", "/usr/bin/heif-enc -q 80 photo.png -o h.heic", false}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
