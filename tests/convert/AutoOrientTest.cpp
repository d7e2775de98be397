// Photos stored sideways with an EXIF Orientation tag: the tool writes what it writes for the
// same pixels turned upright by hand (an exact turn, so the same bytes), and with
// --no-auto-orient what it writes for the photo without the tag. Orientation 1 changes nothing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "ToolOutput.h"
#include "app/conversion/PictureFormats.h"
#include "graphics/Picture.h"
#include "graphics/Streams.h"
#include "jpeg/JPEGImage.h"
#include "support/ExifBlock.h"
#include "support/TaggedPhotos.h"

namespace {

void Write(const std::string& path, const tagged::Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The photo's pixels as the program decodes them, turned by ImageMagick into a BMP.
bool TurnedByHand(const std::string& jpeg, int orientation, const std::string& bmp) {
    TPicture picture;
    picture.ReadFromFile(jpeg);
    const std::string stored = bmp + ".stored.bmp";
    {
        TFileStream file(stored, TFileStream::fmCreate);
        static_cast<TJPEGImage*>(picture.CurrentGraphic())->Decode()->SaveToStream(file);
    }
    const std::string command = "/usr/bin/convert '" + stored + "' " + exiftest::ImageMagickTurn(orientation) +
                                " 'BMP3:" + bmp + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

class ToolAutoOrient : public testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite() { RegisterPictureFormats(); }
    static void TearDownTestSuite() { UnregisterPictureFormats(); }
};

TEST_P(ToolAutoOrient, WritesTheUprightPhoto) {
    const int orientation = GetParam();
    testdata::TempDir temp;
    const auto photo = tagged::MakePhoto(temp);
    if (!photo) GTEST_SKIP() << "ImageMagick or the photograph missing";
    Write(temp.File("plain.jpg"), *photo);
    Write(temp.File("tagged.jpg"), exiftest::WithOrientation(*photo, orientation));
    ASSERT_TRUE(TurnedByHand(temp.File("plain.jpg"), orientation, temp.File("turned.bmp")));

    const tagged::Bytes upright = ToolOutput(temp.File("tagged.jpg"));
    ASSERT_FALSE(upright.empty());
    EXPECT_EQ(upright, ToolOutput(temp.File("turned.bmp")));
    EXPECT_EQ(ToolOutput(temp.File("tagged.jpg"), {"--no-auto-orient"}), ToolOutput(temp.File("plain.jpg")));
    if (orientation == 1) {
        EXPECT_EQ(upright, ToolOutput(temp.File("plain.jpg")));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryOrientation, ToolAutoOrient, testing::Range(1, 9),
                         [](const auto& test) { return "Orientation" + std::to_string(test.param); });

}  // namespace
