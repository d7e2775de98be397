// The per-file report line, the summary line with the exit status, and the progress bar text.

#include <gtest/gtest.h>

#include "app/conversion/BatchSummary.h"
#include "convert/ProgressBar.h"
#include "convert/ReportLine.h"

namespace {

FileOutcome Outcome(OutcomeKind kind, std::string message = "") {
    return FileOutcome{.kind = kind,
                       .source = "/f/a.jpg",
                       .sizesKnown = true,
                       .sourceSize = {1600, 1200},
                       .resultSize = {640, 480},
                       .output = "/f/a.LMV.jpg",
                       .message = std::move(message)};
}

TEST(ReportLine, ConvertedNamesSizesAndOutput) {
    EXPECT_EQ(FormatReportLine(Outcome(OutcomeKind::Converted)), "/f/a.jpg: 1600 × 1200 → 640 × 480, /f/a.LMV.jpg");
}

TEST(ReportLine, DryRunGivesTheSizesOnly) {
    EXPECT_EQ(FormatReportLine(Outcome(OutcomeKind::Planned)), "/f/a.jpg: 1600 × 1200 → 640 × 480");
}

TEST(ReportLine, SkipAndFailureGiveTheirReason) {
    EXPECT_EQ(FormatReportLine(Outcome(OutcomeKind::Skipped, "why")),
              "/f/a.jpg: 1600 × 1200 → 640 × 480, skipped: why");
    EXPECT_EQ(FormatReportLine(Outcome(OutcomeKind::Failed, "bad")), "/f/a.jpg: 1600 × 1200 → 640 × 480, failed: bad");
    FileOutcome unread = Outcome(OutcomeKind::Failed, "Cannot open file");
    unread.sizesKnown = false;
    EXPECT_EQ(FormatReportLine(unread), "/f/a.jpg: failed: Cannot open file");
}

TEST(BatchSummary, CountsEveryKindAndFailsOnlyOnFailures) {
    BatchSummary summary;
    EXPECT_EQ(summary.Status(), kExitSuccess);
    summary.Count(OutcomeKind::Converted);
    summary.Count(OutcomeKind::Converted);
    summary.Count(OutcomeKind::Skipped);
    EXPECT_EQ(summary.Status(), kExitSuccess);
    EXPECT_EQ(summary.Line(), "3 files: 2 converted, 1 skipped, 0 failed");
    summary.Count(OutcomeKind::Failed);
    EXPECT_EQ(summary.Status(), kExitSomeFailed);
    EXPECT_EQ(summary.Line(), "4 files: 2 converted, 1 skipped, 1 failed");
}

TEST(BatchSummary, DryRunSaysCheckedAndOneFileIsSingular) {
    BatchSummary summary;
    summary.Count(OutcomeKind::Planned);
    EXPECT_EQ(summary.Line(), "1 file: 1 checked, 0 skipped, 0 failed");
}

TEST(ProgressBar, FillsInProportionWithAlignedCounter) {
    EXPECT_EQ(RenderProgress(0, 20, 10), "[..........]  0/20");
    EXPECT_EQ(RenderProgress(5, 20, 10), "[##........]  5/20");
    EXPECT_EQ(RenderProgress(20, 20, 10), "[##########] 20/20");
    EXPECT_EQ(RenderProgress(25, 20, 10), "[##########] 25/20");  // never overfills
}

TEST(ProgressBar, DisabledBarWritesNothing) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    {
        ProgressBar bar(stream, 5, false);
        bar.Show(3);
        bar.Clear();
    }
    EXPECT_EQ(std::ftell(stream), 0);
    EXPECT_FALSE(ProgressWanted(stream));  // a file is no terminal
    std::fclose(stream);
}

TEST(ProgressBar, EnabledBarRedrawsInPlaceAndErasesItself) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    {
        ProgressBar bar(stream, 2, true);
        bar.Show(1);
    }
    std::rewind(stream);
    char text[200] = {};
    const std::size_t count = std::fread(text, 1, sizeof text - 1, stream);
    const std::string written(text, count);
    EXPECT_TRUE(written.starts_with("\r[")) << written;
    EXPECT_NE(written.find("1/2"), std::string::npos);
    EXPECT_TRUE(written.ends_with("\r\033[K"));
    std::fclose(stream);
}

}  // namespace
