// Expanding folders into pictures: only registered picture types, never earlier outputs or
// hidden entries, sorted, recursive only on request; named files pass through untouched.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/conversion/PictureFormats.h"
#include "app/conversion/InputFiles.h"
#include "graphics/Picture.h"
#include "support/TestData.h"

namespace {

namespace fs = std::filesystem;

const std::set<std::string> kExtensions{"bmp", "jpeg", "jpg"};

void Touch(const fs::path& path, const std::string& content = "x") {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// A seller's folder after an earlier run, with a few things that are not pictures.
class MixedFolder : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"b-photo.jpg", "a-scan.BMP", "c-notes.jpg", "d.LMV.jpg", "e.txt", ".hidden.jpg",
                                 "f-photo.JPEG", "sub/g.jpg", "sub/deeper/h.bmp", ".cache/i.jpg"})
            Touch(dir.Path() / name);
        fs::create_directories(dir.Path() / "empty.jpg");  // a folder named like a picture
    }
    std::string At(const std::string& name) const { return (dir.Path() / name).string(); }

    testdata::TempDir dir;
};

TEST_F(MixedFolder, GivesRegisteredPicturesSortedWithoutOutputsOrHiddenFiles) {
    const InputList list = ExpandInputs({dir.Path().string()}, kExtensions, false);
    // c-notes.jpg is text, but only reading it can tell; it fails later as the window's would.
    EXPECT_EQ(list.files,
              (std::vector<std::string>{At("a-scan.BMP"), At("b-photo.jpg"), At("c-notes.jpg"), At("f-photo.JPEG")}));
    EXPECT_TRUE(list.errors.empty());
}

TEST_F(MixedFolder, RecursiveWalksInnerFoldersAfterTheFolderItself) {
    const InputList list = ExpandInputs({dir.Path().string()}, kExtensions, true);
    EXPECT_EQ(list.files, (std::vector<std::string>{At("a-scan.BMP"), At("b-photo.jpg"), At("c-notes.jpg"),
                                                    At("f-photo.JPEG"), At("sub/g.jpg"), At("sub/deeper/h.bmp")}));
}

TEST_F(MixedFolder, NamedFilesPassThroughInCommandLineOrder) {
    const InputList list = ExpandInputs({At("e.txt"), At("d.LMV.jpg"), At("missing.jpg")}, kExtensions, false);
    EXPECT_EQ(list.files, (std::vector<std::string>{At("e.txt"), At("d.LMV.jpg"), At("missing.jpg")}));
}

TEST_F(MixedFolder, OnlyTheGivenExtensionsCount) {
    const InputList list = ExpandInputs({dir.Path().string()}, {"bmp"}, false);
    EXPECT_EQ(list.files, std::vector<std::string>{At("a-scan.BMP")});
}

TEST(InputFiles, OutputsAreRecognisedByTheirExactSuffix) {
    EXPECT_TRUE(IsConvertedOutput("/x/auto.LMV.jpg"));
    EXPECT_TRUE(IsConvertedOutput("auto.LMV.LMV.jpg"));
    EXPECT_FALSE(IsConvertedOutput("/x/auto.jpg"));
    EXPECT_FALSE(IsConvertedOutput("/x/auto.LMV.jpeg"));
}

// A folder gives exactly the files the picture model then opens.
TEST(InputFiles, PictureExtensionsAreTheOnesTheRegistryOpens) {
    RegisterPictureFormats();
    std::set<std::string> registered;
    for (const TFileFormat& format : FormatRegistry::Instance().Entries()) registered.insert(format.extension);
    EXPECT_EQ(PictureExtensions(), registered);
}

}  // namespace
