// The tool on a photo with a colour profile: converted to sRGB by default, kept as stored with
// --no-colour-management.

#include <gtest/gtest.h>

#include <fstream>

#include "CapturedStream.h"
#include "app/conversion/PictureFormats.h"
#include "convert/ConvertTool.h"
#include "convert/PictureConversion.h"
#include "support/TaggedPhotos.h"

namespace {

void Write(const std::string& path, const tagged::Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The output the tool writes for `source` with the extra options.
tagged::Bytes Converted(const std::string& source, std::vector<const char*> options) {
    options.insert(options.end(), {"--overwrite", "--reprocess", source.c_str()});
    CapturedStream out, err;
    RunConvertTool(
        options,
        [](const std::string& file, const ConvertOptions& o) { return ConvertPicture(file, SettingsFrom(o)); },
        ToolStreams{out.File(), err.File(), false});
    return tagged::ReadBytes(source.substr(0, source.size() - 4) + ".LMV.jpg");
}

TEST(ToolColorManagement, ProfileConvertsUnlessSwitchedOff) {
    RegisterPictureFormats();
    testdata::TempDir temp;
    const auto photo = tagged::MakePhoto(temp);
    const tagged::Bytes profile = tagged::ReadBytes(tagged::kColordProfiles + "AdobeRGB1998.icc");
    if (!photo || profile.empty()) GTEST_SKIP() << "ImageMagick, the photograph or colord-data missing";
    Write(temp.File("plain.jpg"), *photo);
    Write(temp.File("tagged.jpg"), tagged::WithProfile(*photo, profile));
    const tagged::Bytes plain = Converted(temp.File("plain.jpg"), {});
    ASSERT_FALSE(plain.empty());
    EXPECT_NE(Converted(temp.File("tagged.jpg"), {}), plain);
    EXPECT_EQ(Converted(temp.File("tagged.jpg"), {"--no-colour-management"}), plain);
    EXPECT_NE(Converted(temp.File("tagged.jpg"), {}), plain) << "the switch outlived its run";
    UnregisterPictureFormats();
}

}  // namespace
