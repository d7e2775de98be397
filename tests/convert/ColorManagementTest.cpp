// The tool on a photo with a colour profile: converted to sRGB by default, kept as stored with
// --no-colour-management.

#include <gtest/gtest.h>

#include <fstream>

#include "ToolOutput.h"
#include "app/conversion/PictureFormats.h"
#include "support/TaggedPhotos.h"

namespace {

void Write(const std::string& path, const tagged::Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST(ToolColorManagement, ProfileConvertsUnlessSwitchedOff) {
    RegisterPictureFormats();
    testdata::TempDir temp;
    const auto photo = tagged::MakePhoto(temp);
    const tagged::Bytes profile = tagged::ReadBytes(tagged::kColordProfiles + "AdobeRGB1998.icc");
    if (!photo || profile.empty()) GTEST_SKIP() << "ImageMagick, the photograph or colord-data missing";
    Write(temp.File("plain.jpg"), *photo);
    Write(temp.File("tagged.jpg"), tagged::WithProfile(*photo, profile));
    const tagged::Bytes plain = ToolOutput(temp.File("plain.jpg"), {});
    ASSERT_FALSE(plain.empty());
    EXPECT_NE(ToolOutput(temp.File("tagged.jpg"), {}), plain);
    EXPECT_EQ(ToolOutput(temp.File("tagged.jpg"), {"--no-colour-management"}), plain);
    EXPECT_NE(ToolOutput(temp.File("tagged.jpg"), {}), plain) << "the switch outlived its run";
    UnregisterPictureFormats();
}

}  // namespace
