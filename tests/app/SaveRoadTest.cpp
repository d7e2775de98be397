#include "app/conversion/SaveRoad.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MainWindowFixture.h"
#include "graphics/Streams.h"

namespace {

class SaveRoad : public MainWindow {};

TEST_F(SaveRoad, ResultWithoutRowsLeavesTheExistingOutput) {
    std::ofstream(folder.File("out.jpg")) << "previous";
    TBitmap empty;
    EXPECT_THROW(SaveConversion(empty, {640, 0}, {}, folder.File("out.jpg")), EEmptyResult);
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
