// The program's command line: what it starts with, and the lines it refuses before any window.

#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

struct LineCase {
    const char* name;
    std::vector<std::string> args;
    TCommandLine::TMode mode;
    std::vector<std::string> paths;
};

class ProgramCommandLine : public testing::TestWithParam<LineCase> {};

TEST_P(ProgramCommandLine, TellsTheModeAndThePaths) {
    const LineCase& c = GetParam();
    const TCommandLine line = ReadCommandLine(c.args);
    EXPECT_EQ(line.Mode, c.mode) << line.Error;
    EXPECT_EQ(line.Paths, c.paths);
    EXPECT_EQ(line.Error.empty(), c.mode != TCommandLine::Usage);
}

using M = TCommandLine;
INSTANTIATE_TEST_SUITE_P(
    Lines, ProgramCommandLine,
    testing::Values(LineCase{"Nothing", {}, M::Window, {}},
                    LineCase{"Pictures", {"a.jpg", "/x/b.png"}, M::Window, {"a.jpg", "/x/b.png"}},
                    LineCase{"Convert", {"--convert", "a.jpg", "dir"}, M::Convert, {"a.jpg", "dir"}},
                    LineCase{"ConvertAfterThePaths", {"a.jpg", "--convert"}, M::Convert, {"a.jpg"}},
                    // A file manager hands over names as they are: after "--" none is an option.
                    LineCase{
                        "NamesLikeOptions", {"--convert", "--", "--help", "-x.jpg"}, M::Convert, {"--help", "-x.jpg"}},
                    LineCase{"Dash", {"-"}, M::Window, {"-"}},
                    LineCase{"VersionWinsOverAnUnknownOption", {"-platform", "offscreen", "--version"}, M::Version, {}},
                    LineCase{"Help", {"a.jpg", "-h"}, M::Help, {}},
                    LineCase{"UnknownOption", {"--quality", "90"}, M::Usage, {}},
                    LineCase{"ConvertWithoutPictures", {"--convert"}, M::Usage, {}}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
