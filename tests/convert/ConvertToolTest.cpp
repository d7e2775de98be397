// The tool as a whole with a stand-in conversion: exit statuses, what goes to which stream,
// and that the settings of the command line reach every file.

#include <gtest/gtest.h>

#include <mutex>

#include "CapturedStream.h"
#include "app/conversion/BatchSummary.h"
#include "convert/ConvertTool.h"

namespace {

// Converts "ok*" files, skips "skip*", fails everything else; remembers the settings it saw.
class FakeConversion {
public:
    FileOutcome operator()(const std::string& source, const ConvertOptions& options) {
        {
            std::lock_guard lock(mutex_);
            seenQuality = options.qualityText;
            seenGray = options.gray;
            ++calls;
        }
        FileOutcome outcome{.kind = OutcomeKind::Failed,
                            .source = source,
                            .sizesKnown = true,
                            .sourceSize = {800, 600},
                            .resultSize = {640, 480},
                            .output = source + ".out",
                            .message = ""};
        if (source.starts_with("ok")) outcome.kind = OutcomeKind::Converted;
        else if (source.starts_with("skip")) outcome = Skip(outcome);
        else outcome.message = "Cannot open file";
        return outcome;
    }

    std::string seenQuality;
    bool seenGray = false;
    int calls = 0;

private:
    static FileOutcome Skip(FileOutcome outcome) {
        outcome.kind = OutcomeKind::Skipped;
        outcome.message = "exists";
        return outcome;
    }
    std::mutex mutex_;
};

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun RunTool(std::vector<const char*> args, FakeConversion& fake, bool progress = false) {
    CapturedStream out, err;
    const int status = RunConvertTool(
        args, [&](const std::string& s, const ConvertOptions& o) { return fake(s, o); },
        ToolStreams{out.File(), err.File(), progress});
    return {status, out.Text(), err.Text()};
}

TEST(ConvertTool, AllConvertedOrSkippedExitsZeroWithOrderedLinesAndSummary) {
    FakeConversion fake;
    const ToolRun run = RunTool({"-j", "2", "ok1", "skip2", "ok3"}, fake);
    EXPECT_EQ(run.status, kExitSuccess);
    EXPECT_EQ(run.out,
              "ok1: 800 × 600 → 640 × 480, ok1.out\n"
              "skip2: 800 × 600 → 640 × 480, skipped: exists\n"
              "ok3: 800 × 600 → 640 × 480, ok3.out\n"
              "3 files: 2 converted, 1 skipped, 0 failed\n");
    EXPECT_EQ(run.err, "");  // no progress bar when not wanted
}

TEST(ConvertTool, AnyFailureExitsOneAndTheOthersStillRun) {
    FakeConversion fake;
    const ToolRun run = RunTool({"bad1", "ok2"}, fake);
    EXPECT_EQ(run.status, kExitSomeFailed);
    EXPECT_EQ(fake.calls, 2);
    EXPECT_NE(run.out.find("bad1: 800 × 600 → 640 × 480, failed: Cannot open file\n"), std::string::npos);
    EXPECT_NE(run.out.find("2 files: 1 converted, 0 skipped, 1 failed"), std::string::npos);
}

TEST(ConvertTool, UsageErrorExitsTwoBeforeTouchingAnyFile) {
    FakeConversion fake;
    const ToolRun run = RunTool({"--bogus", "ok1"}, fake);
    EXPECT_EQ(run.status, kExitUsage);
    EXPECT_EQ(fake.calls, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("unknown option --bogus"), std::string::npos);
    EXPECT_NE(run.err.find("--help"), std::string::npos);
    EXPECT_EQ(RunTool({}, fake).status, kExitUsage);
}

TEST(ConvertTool, HelpAndVersionPrintAndSucceedWithoutConverting) {
    FakeConversion fake;
    const ToolRun help = RunTool({"--help", "ok1"}, fake);
    EXPECT_EQ(help.status, kExitSuccess);
    EXPECT_TRUE(help.out.starts_with("Usage: obrazor-convert"));
    for (const char* option :
         {"--quality", "--gray", "--overwrite", "--reprocess", "--jobs", "--dry-run", "--recursive", "--version"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    const ToolRun version = RunTool({"--version"}, fake);
    EXPECT_EQ(version.status, kExitSuccess);
    EXPECT_EQ(version.out, "obrazor-convert 1.1\n");  // the project's version, as the window shows it
    EXPECT_EQ(fake.calls, 0);
}

TEST(ConvertTool, SettingsReachTheConversion) {
    FakeConversion fake;
    RunTool({"--gray", "-q", "abc", "ok1"}, fake);
    EXPECT_EQ(fake.seenQuality, "abc");
    EXPECT_TRUE(fake.seenGray);
}

TEST(ConvertTool, ProgressGoesToTheErrorStreamAndIsErasedAtTheEnd) {
    FakeConversion fake;
    const ToolRun run = RunTool({"ok1", "ok2"}, fake, true);
    EXPECT_NE(run.err.find("2/2"), std::string::npos);
    EXPECT_TRUE(run.err.ends_with("\r\033[K"));
    EXPECT_EQ(run.out.find('\r'), std::string::npos);  // the report stays clean
}

}  // namespace

// What only some files need is set up once, on the calling thread, before the first file is
// converted, and only for files that will be converted.
TEST(ConvertTool, PreparationSeesTheFilesBeforeTheFirstConversion) {
    FakeConversion fake;
    CapturedStream out, err;
    std::vector<std::string> prepared;
    int callsWhenPrepared = -1;
    RunConvertTool(
        std::vector<const char*>{"-j", "2", "ok1.jpg", "ok2.png", "ok1.jpg"},
        [&](const std::string& s, const ConvertOptions& o) { return fake(s, o); },
        ToolStreams{out.File(), err.File(), false},
        [&](const std::vector<std::string>& files) {
            prepared = files;
            callsWhenPrepared = fake.calls;
        });
    EXPECT_EQ(callsWhenPrepared, 0);
    EXPECT_EQ(prepared, (std::vector<std::string>{"ok1.jpg", "ok2.png"}));  // the second ok1.jpg shares its output
}
