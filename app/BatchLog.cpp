#include "app/BatchLog.h"

#include <filesystem>

#include "app/conversion/ConversionMessages.h"
#include "app/conversion/ConversionPlan.h"
#include "app/conversion/OutputPath.h"
#include "app/conversion/UprightPicture.h"
#include "app/conversion/InputFiles.h"
#include "app/conversion/PlainReasons.h"
#include "graphics/Exceptions.h"
#include "graphics/Picture.h"

namespace {

std::string NameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string SkipText(const FileOutcome& outcome) {
    switch (outcome.skip) {
    case SkipReason::Fits: return "přeskočeno, už má povolenou velikost";
    case SkipReason::OutputExists: return "přeskočeno, " + NameOf(outcome.output) + " už existuje";
    case SkipReason::SharedOutput: return "přeskočeno, " + NameOf(outcome.output) + " vzniká z jiného souboru";
    case SkipReason::OwnOutput: return "přeskočeno, je to už převedený soubor";
    case SkipReason::None: break;
    }
    return "přeskočeno, " + outcome.message;
}

void Survey(FileOutcome& outcome) {
    TPicture picture;
    picture.ReadFromFile(outcome.source);
    const TPictureSize size = UprightSize(picture);
    outcome.sourceSize = {size.Width, size.Height};
    outcome.sizesKnown = true;
    outcome.output = OutputPathFor(outcome.source);
    // Answered so that only the picture's own size decides.
    const TConversionPlan plan =
        PlanConversion(size.Width, size.Height, {.Reprocess = TAnswer::No, .Overwrite = TAnswer::Yes});
    outcome.resultSize = {plan.Size.Width, plan.Size.Height};
    outcome.kind = plan.Next == TConversionStep::SkipFits ? OutcomeKind::Skipped : OutcomeKind::Planned;
    if (outcome.kind == OutcomeKind::Skipped) outcome.skip = SkipReason::Fits;
}

}  // namespace

FileOutcome SurveyPicture(const std::string& source) {
    FileOutcome outcome = FailureOf(source, "");
    if (IsConvertedOutput(source)) {
        outcome.kind = OutcomeKind::Skipped;
        outcome.skip = SkipReason::OwnOutput;
        return outcome;
    }
    try {
        Survey(outcome);
    } catch (const std::exception& error) {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = FailureReason(error);
    }
    return outcome;
}

std::string BatchLogLine(const FileOutcome& outcome) {
    const std::string name = NameOf(outcome.source) + ": ";
    switch (outcome.kind) {
    case OutcomeKind::Converted:
    case OutcomeKind::Planned:
        return name + Format(msg::SNewSize, int(outcome.resultSize.width), int(outcome.resultSize.height));
    case OutcomeKind::Skipped: return name + SkipText(outcome);
    case OutcomeKind::Failed: break;
    }
    return name + "chyba: " + outcome.message;
}

std::string BatchSummaryLine(const BatchSummary& summary) {
    return Format(msg::SBatchSummary, int(summary.Converted()), int(summary.Skipped()), int(summary.Failed()));
}
