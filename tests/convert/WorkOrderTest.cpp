// Largest files go first so that the workers finish together.

#include <gtest/gtest.h>

#include "TestPictures.h"
#include "app/conversion/WorkOrder.h"
#include "support/TestData.h"

namespace {

TEST(WorkOrder, LargestFirstWithTiesAndMissingFilesInInputOrder) {
    testdata::TempDir dir;
    const std::vector<std::pair<std::string, std::size_t>> files{{"small", 10}, {"big", 300},   {"tie-a", 50},
                                                                 {"tie-b", 50}, {"missing", 0}, {"mid", 100}};
    std::vector<std::string> paths;
    for (const auto& [name, size] : files) {
        paths.push_back(dir.File(name));
        if (name != "missing") convtest::WriteText(paths.back(), std::string(size, 'x'));
    }
    EXPECT_EQ(LargestFirst(paths), (std::vector<std::size_t>{1, 5, 2, 3, 0, 4}));
    EXPECT_TRUE(LargestFirst({}).empty());
}

}  // namespace
