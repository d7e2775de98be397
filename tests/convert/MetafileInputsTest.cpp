// Whether a run must start the GUI library's fonts: exactly when a file is read as a metafile.

#include <gtest/gtest.h>

#include "convert/MetafileInputs.h"

namespace {

struct Run {
    std::vector<std::string> files;
    bool metafile;
};

class MetafileInputs : public ::testing::TestWithParam<Run> {};

TEST_P(MetafileInputs, FollowsTheExtensionsRegisteredClass) {
    EXPECT_EQ(HoldsMetafile(GetParam().files), GetParam().metafile);
}

INSTANTIATE_TEST_SUITE_P(Runs, MetafileInputs,
                         ::testing::Values(Run{{}, false}, Run{{"a.jpg", "b.bmp", "c.ico", "d.gif"}, false},
                                           Run{{"a.jpg", "dir.wmf/photo.jpg", "wmf"}, false},
                                           Run{{"a.jpg", "b.emf"}, true}, Run{{"photos/Plan.WMF"}, true}));

}  // namespace
