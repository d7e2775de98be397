#include "app/conversion/OutputPath.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct PathCase {
    const char* source;
    const char* output;
    friend std::ostream& operator<<(std::ostream& out, const PathCase& c) { return out << c.source; }
};

class OutputPathTable : public testing::TestWithParam<PathCase> {};

TEST_P(OutputPathTable, ReplacesTheExtensionOrAppends) {
    EXPECT_EQ(OutputPathFor(GetParam().source), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OutputPathTable,
    testing::Values(PathCase{"/foto/auto.jpg", "/foto/auto.LMV.jpg"},
                    PathCase{"/foto/auto.JPEG", "/foto/auto.LMV.jpg"},             // suffix case is fixed
                    PathCase{"/foto/auto.LMV.jpg", "/foto/auto.LMV.LMV.jpg"},      // never the source itself
                    PathCase{"/foto/auto", "/foto/auto.LMV.jpg"},                  // no extension
                    PathCase{"/foto.old/auto", "/foto.old/auto.LMV.jpg"},          // the dot is in a folder
                    PathCase{"/foto/.gif", "/foto/.LMV.jpg"},                      // the name is all extension
                    PathCase{"/foto/auto.", "/foto/auto.LMV.jpg"},                 // an empty extension
                    PathCase{"auto.bmp", "auto.LMV.jpg"},                          // relative
                    PathCase{"auto", "auto.LMV.jpg"},                              //
                    PathCase{"", ".LMV.jpg"},                                      //
                    PathCase{"/foto/", "/foto/.LMV.jpg"},                          //
                    PathCase{"/foto/fotka č.1.jpg", "/foto/fotka č.1.LMV.jpg"}));  // UTF-8 names

}  // namespace
