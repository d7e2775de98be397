// Windows kept inside the screen's work area, on screens of several sizes.

#include <gtest/gtest.h>

#include <ostream>

#include "ui/WorkArea.h"

namespace {

struct Fit {
    const char* name;
    QRect area, frame, placed;
    friend std::ostream& operator<<(std::ostream& out, const Fit& f) { return out << f.name; }
};

class WorkAreaTest : public testing::TestWithParam<Fit> {};

TEST_P(WorkAreaTest, KeepsTheFrameOnTheScreen) {
    EXPECT_EQ(FitIntoWorkArea(GetParam().frame, GetParam().area), GetParam().placed);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, WorkAreaTest,
    testing::Values(
        // 1366 x 768 laptop: a small view where it was left stays there.
        Fit{"Fits", {0, 0, 1366, 768}, {100, 50, 330, 270}, {100, 50, 330, 270}},
        // 1600 x 1203 photo centred over the main window: cut at the top-left corner.
        Fit{"PhotoCentred", {0, 0, 1366, 768}, {-159, -60, 1610, 1230}, {0, 0, 1366, 768}},
        // 5640 x 3172 photo on a full-HD screen with a 32-pixel top panel: under the panel.
        Fit{"HugeUnderPanel", {0, 32, 1920, 1048}, {-2179, -1045, 5650, 3199}, {0, 32, 1920, 1048}},
        // Wider than the screen only: the left edge moves in, the top stays.
        Fit{"WideOnly", {0, 0, 1280, 1024}, {-100, 200, 1600, 330}, {0, 200, 1280, 330}},
        // A small view at the corner the huge one left behind comes back whole.
        Fit{"SmallAtAnOffScreenCorner", {0, 0, 1366, 768}, {-2179, -1045, 30, 50}, {0, 0, 30, 50}},
        // Partly past the right and bottom edges: moved back in.
        Fit{"PastBottomRight", {0, 0, 1024, 768}, {900, 700, 330, 270}, {694, 498, 330, 270}},
        // A second screen to the right of the first: its own area counts.
        Fit{"SecondScreen", {1920, 0, 1280, 1024}, {1800, 100, 400, 300}, {1920, 100, 400, 300}},
        // A left-hand panel of 48 pixels.
        Fit{"LeftPanel", {48, 0, 1232, 1024}, {10, 10, 200, 100}, {48, 10, 200, 100}}),
    [](const testing::TestParamInfo<Fit>& test) { return std::string(test.param.name); });

}  // namespace
