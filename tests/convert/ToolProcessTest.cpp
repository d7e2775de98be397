// The tool as the user runs it: metafiles are drawn by the player it loads only for them, and the
// files it writes are those of the player linked into this test.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>

#include "app/conversion/PictureFormats.h"
#include "app/conversion/PictureConversion.h"
#include "support/TestData.h"

namespace {

// The same fonts the tool's player starts.
void StartFonts() {
    static int argc = 3;
    static char name[] = "convert_tests", option[] = "-platform", platformName[] = "offscreen";
    static char* argv[] = {name, option, platformName, nullptr};
    if (!QCoreApplication::instance()) new QGuiApplication(argc, argv);
}

TEST(ToolProcess, MetafilesMatchThePlayerLinkedIn) {
    REQUIRE_TESTDATA(root);
    StartFonts();
    RegisterPictureFormats();
    const testdata::TempDir inProcess, byTool;
    // Metafiles with text, enhanced and Windows ones.
    const std::vector<std::filesystem::path> sources = {root / "emf/test-001.emf", root / "emf/test-002.emf",
                                                        root / "wmf/formula1.wmf"};
    for (const auto& source : sources) {
        std::filesystem::copy_file(source, inProcess.Path() / source.filename());
        std::filesystem::copy_file(source, byTool.Path() / source.filename());
        const FileOutcome outcome = ConvertPicture(inProcess.File(source.filename()), ConversionSettings{});
        ASSERT_EQ(outcome.kind, OutcomeKind::Converted) << source << ": " << outcome.message;
    }
    // The leak checker of a sanitized tool would count the font library's caches.
    const std::string command =
        "ASAN_OPTIONS=detect_leaks=0 '" OBRAZOR_CONVERT_PROGRAM "' -j 2 '" + byTool.Path().string() + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const auto& source : sources) {
        const std::string output = source.stem().string() + ".LMV.jpg";
        const auto expected = testdata::ReadFile(inProcess.Path() / output);
        ASSERT_FALSE(expected.empty()) << output;
        EXPECT_EQ(testdata::ReadFile(byTool.Path() / output), expected) << output;
    }
}

}  // namespace
