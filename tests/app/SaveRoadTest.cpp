#include "app/conversion/SaveRoad.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MainWindowFixture.h"
#include "graphics/Streams.h"

namespace {

// The save road as a command-line tool walks it, without any window.
class SaveRoad : public MainWindow {};

TEST_F(SaveRoad, ConvertsByTheSizeRule) {
    const std::string source = Picture("auto.bmp", 1000, 757);
    const TResultSize size = ConvertFile(source, folder.File("out.jpg"), {}, false);
    EXPECT_EQ(size.Width, 640);
    EXPECT_EQ(size.Height, 484);
    const JpegFrame frame = ReadJpegFrame(folder.File("out.jpg"));
    EXPECT_EQ(frame.width, 640);
    EXPECT_EQ(frame.height, 484);
}

TEST_F(SaveRoad, LeavesAFittingPictureAloneUnlessAskedToRedoIt) {
    const std::string source = Picture("fits.bmp", 360, 480);
    EXPECT_EQ(ConvertFile(source, folder.File("out.jpg"), {}, false).Rule, TSizeRule::Fits);
    EXPECT_FALSE(std::filesystem::exists(folder.File("out.jpg")));
    ConvertFile(source, folder.File("out.jpg"), {true, 75}, true);
    EXPECT_EQ(ReadJpegFrame(folder.File("out.jpg")).components, 1);
}

TEST_F(SaveRoad, ResultWithoutRowsWritesNothing) {
    const std::string source = Picture("strip.bmp", 1300, 2);
    std::ofstream(folder.File("out.jpg")) << "previous";
    EXPECT_THROW(ConvertFile(source, folder.File("out.jpg"), {}, false), EEmptyResult);
    EXPECT_EQ(FileBytes(folder.File("out.jpg")), "previous");
}

TEST_F(SaveRoad, WorkingBitmapIsWhiteWhereTheGraphicDrawsNothing) {
    TBitmap empty;  // an empty graphic is still asked to draw, and draws nothing
    const auto working = MakeWorkingBitmap(empty, 4, 3);
    EXPECT_EQ(working->ImageWidth(), 4);
    EXPECT_EQ(working->ImageHeight(), 3);
    EXPECT_EQ(ColorToRGB(working->Canvas().PixelAt(3, 2)), ColorToRGB(clWhite));
}

}  // namespace
