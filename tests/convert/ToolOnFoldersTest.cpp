// The tool end to end on real folders: a seller's mixed folder, a second run over the same
// folder, a dry run, and parallel runs that must write the very bytes of a serial one.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <sstream>

#include <jpeglib.h>
#include <jerror.h>

#include "CapturedStream.h"
#include "TestPictures.h"
#include "app/conversion/BatchSummary.h"
#include "convert/ConvertTool.h"
#include "app/conversion/PictureConversion.h"
#include "app/conversion/PictureFormats.h"
#include "support/TestData.h"

namespace {

using namespace convtest;
namespace fs = std::filesystem;

struct ToolRun {
    int status;
    std::string out;
};

ToolRun RunTool(std::vector<std::string> args) {
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    CapturedStream out, err;
    const int status = RunConvertTool(
        argv,
        [](const std::string& source, const ConvertOptions& options) {
            return ConvertPicture(source, SettingsFrom(options));
        },
        ToolStreams{out.File(), err.File(), false});
    return {status, out.Text()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

std::map<std::string, Bytes> Outputs(const fs::path& folder) {
    std::map<std::string, Bytes> outputs;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.path().string().ends_with(".LMV.jpg"))
            outputs[fs::relative(entry.path(), folder).string()] = ReadBytes(entry.path());
    return outputs;
}

class ToolOnFolder : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterPictureFormats(); }

    // A photo, a BMP, a text file named .jpg and an output left from an earlier run.
    void MakeMixedFolder() {
        WriteJpeg(At("photo.jpg"), 200, 150);
        WriteBmp(At("scan.bmp"), 90, 120);
        WriteText(At("notes.jpg"), "not a photo");
        WriteJpeg(At("earlier.LMV.jpg"), 64, 48);
    }
    std::string At(const std::string& name) const { return dir.File(name); }
    std::string Folder() const { return dir.Path().string(); }

    testdata::TempDir dir;
};

TEST_F(ToolOnFolder, MixedFolderConvertsPicturesAndReportsTheTextFile) {
    MakeMixedFolder();
    const ToolRun run = RunTool({"-j", "2", Folder()});
    EXPECT_EQ(run.status, kExitSomeFailed);
    const std::vector<std::string> got = Lines(run.out);
    ASSERT_EQ(got.size(), 4u) << run.out;
    EXPECT_TRUE(got[0].starts_with(At("notes.jpg") + ": failed: ")) << got[0];
    EXPECT_EQ(got[1], At("photo.jpg") + ": 200 × 150 → 640 × 480, " + At("photo.LMV.jpg"));
    EXPECT_EQ(got[2], At("scan.bmp") + ": 90 × 120 → 360 × 480, " + At("scan.LMV.jpg"));
    EXPECT_EQ(got[3], "3 files: 2 converted, 0 skipped, 1 failed");
    EXPECT_EQ(FolderNames(Folder()), (std::vector<std::string>{"earlier.LMV.jpg", "notes.jpg", "photo.LMV.jpg",
                                                               "photo.jpg", "scan.LMV.jpg", "scan.bmp"}));
}

TEST_F(ToolOnFolder, SecondRunSkipsWhatExistsAndOverwriteGivesTheSameBytes) {
    MakeMixedFolder();
    RunTool({Folder()});
    const auto first = Outputs(dir.Path());
    const ToolRun again = RunTool({Folder()});
    EXPECT_EQ(again.status, kExitSomeFailed);  // the text file still fails
    EXPECT_NE(again.out.find("3 files: 0 converted, 2 skipped, 1 failed"), std::string::npos) << again.out;
    const ToolRun replaced = RunTool({"--overwrite", Folder()});
    EXPECT_NE(replaced.out.find("3 files: 2 converted, 0 skipped, 1 failed"), std::string::npos) << replaced.out;
    EXPECT_EQ(Outputs(dir.Path()), first);
}

TEST_F(ToolOnFolder, DryRunOverAFolderWritesNothing) {
    WriteJpeg(At("photo.jpg"), 200, 150);
    WriteBmp(At("fits.bmp"), 60, 480);
    const ToolRun run = RunTool({"-n", Folder()});
    EXPECT_EQ(run.status, kExitSuccess);
    EXPECT_EQ(Lines(run.out),
              (std::vector<std::string>{At("fits.bmp") + ": 60 × 480 → 60 × 480, skipped: already "
                                                         "480 pixels high (--reprocess converts it anyway)",
                                        At("photo.jpg") + ": 200 × 150 → 640 × 480",
                                        "2 files: 1 checked, 1 skipped, 0 failed"}));
    EXPECT_EQ(FolderNames(Folder()), (std::vector<std::string>{"fits.bmp", "photo.jpg"}));
}

TEST_F(ToolOnFolder, ExplicitOutputFileIsASourceLikeAnyOther) {
    WriteJpeg(At("earlier.LMV.jpg"), 200, 150);
    EXPECT_EQ(RunTool({At("earlier.LMV.jpg")}).status, kExitSuccess);
    EXPECT_TRUE(Exists(At("earlier.LMV.LMV.jpg")));
}

TEST_F(ToolOnFolder, RecursiveReachesInnerFolders) {
    fs::create_directories(dir.Path() / "a" / "b");
    WriteBmp(At("a/b/deep.bmp"), 90, 120);
    EXPECT_NE(RunTool({Folder()}).out.find("0 files"), std::string::npos);
    RunTool({"-r", Folder()});
    EXPECT_TRUE(Exists(At("a/b/deep.LMV.jpg")));
}

// Inputs that are no picture file fail with a plain reason, at once (a FIFO would block a read).
TEST_F(ToolOnFolder, HostileInputsFailWithAPlainReason) {
    ASSERT_EQ(::mkfifo(At("fifo.jpg").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", At("zero.jpg"));
    WriteText(At("empty.jpg"), "");
    WriteJpeg(At("photo"), 40, 30);
    WriteText(At("notes.jpg"), "not a photo");
    const std::map<std::string, std::string> expected = {
        {"fifo.jpg", "not a regular file"},
        {"zero.jpg", "not a regular file"},
        {"empty.jpg", "empty file"},
        {"photo", "no file name extension"},
        {"notes.jpg", "JPEG error #" + std::to_string(JERR_NO_SOI) + " (Not a JPEG file: starts with 0x6e 0x6f)"},
    };
    for (const auto& [name, message] : expected) {
        const FileOutcome outcome = ConvertPicture(At(name), ConversionSettings{});
        EXPECT_EQ(outcome.kind, OutcomeKind::Failed) << name;
        EXPECT_EQ(outcome.message, message) << name;
    }
}

// "a.jpg" and "a.bmp" both make "a.LMV.jpg": the first named is converted, whatever the jobs.
TEST_F(ToolOnFolder, InputsSharingAnOutputConvertOnlyTheFirst) {
    WriteBmp(At("a.bmp"), 90, 120);
    WriteJpeg(At("a.jpg"), 200, 150);
    const ToolRun run = RunTool({"-j", "2", At("a.bmp"), At("a.jpg"), At("./a.bmp")});
    EXPECT_EQ(run.status, kExitSuccess);
    EXPECT_EQ(Lines(run.out),
              (std::vector<std::string>{
                  At("a.bmp") + ": 90 × 120 → 360 × 480, " + At("a.LMV.jpg"),
                  At("a.jpg") + ": skipped: " + At("a.LMV.jpg") + " is the output of " + At("a.bmp") + " too",
                  At("./a.bmp") + ": skipped: " + At("./a.LMV.jpg") + " is the output of " + At("a.bmp") + " too",
                  "3 files: 1 converted, 2 skipped, 0 failed"}));
}

TEST_F(ToolOnFolder, ControlCharactersInANameKeepItsReportOnOneLine) {
    WriteText(At("two\nlines\x1b.jpg"), "");
    const ToolRun run = RunTool({At("two\nlines\x1b.jpg")});
    EXPECT_EQ(Lines(run.out).front(), At("two\\nlines\\x1B.jpg") + ": failed: empty file");
}

// Each worker owns its file from reading to writing, so the bytes cannot depend on the jobs.
TEST(ToolInParallel, WritesTheSameBytesAsOneJob) {
    RegisterPictureFormats();
    testdata::TempDir serial, parallel;
    for (const fs::path& folder : {serial.Path(), parallel.Path()})
        for (int i = 0; i < 6; ++i) {
            WriteJpeg((folder / ("p" + std::to_string(i) + ".jpg")).string(), 120 + 40 * i, 90 + 17 * i);
            WriteBmp((folder / ("s" + std::to_string(i) + ".bmp")).string(), 50 + 13 * i, 70 + 9 * i);
        }
    EXPECT_EQ(RunTool({"-j", "1", "-q", "60", serial.Path().string()}).status, kExitSuccess);
    EXPECT_EQ(RunTool({"-j", "4", "-q", "60", parallel.Path().string()}).status, kExitSuccess);
    const auto expected = Outputs(serial.Path());
    EXPECT_EQ(expected.size(), 12u);
    EXPECT_EQ(Outputs(parallel.Path()), expected);
}

}  // namespace
