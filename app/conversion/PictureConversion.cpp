#include "app/conversion/PictureConversion.h"

#include "app/conversion/ConversionPlan.h"
#include "app/conversion/OutputPath.h"
#include "app/conversion/QualityText.h"
#include "app/conversion/UprightPicture.h"
#include "app/conversion/PlainReasons.h"
#include "graphics/Picture.h"
#include "platform/FileSystem.h"

namespace {

void Skip(FileOutcome& outcome, SkipReason why, std::string reason) {
    outcome.kind = OutcomeKind::Skipped;
    outcome.skip = why;
    outcome.message = std::move(reason);
}

std::string ExistsReason(const std::string& output) { return output + " exists (--overwrite replaces it)"; }

// What the window would ask is answered by the settings, so the plan never asks.
TConversionFacts FactsFor(const ConversionSettings& settings, const std::string& output) {
    TConversionFacts facts;
    facts.Reprocess = settings.reprocess ? TAnswer::Yes : TAnswer::No;
    facts.Overwrite = settings.overwrite ? TAnswer::Yes : TAnswer::No;
    facts.OutputExists = platform::FileExists(output);
    return facts;
}

// Reads the picture and decides; writes only when everything allows it.
void Convert(FileOutcome& outcome, const ConversionSettings& settings) {
    if (const std::string problem = InputProblem(outcome.source); !problem.empty()) {
        outcome.message = problem;
        return;
    }
    TPicture picture;
    picture.ColorManagement = settings.colorManagement;
    picture.ReadFromFile(outcome.source);
    OrientUpright(picture, settings.autoOrient);
    outcome.sourceSize = {picture.ImageWidth(), picture.ImageHeight()};
    outcome.sizesKnown = true;
    outcome.output = OutputPathFor(outcome.source);
    const TConversionPlan plan =
        PlanConversion(outcome.sourceSize.width, outcome.sourceSize.height, FactsFor(settings, outcome.output));
    outcome.resultSize = {plan.Size.Width, plan.Size.Height};
    switch (plan.Next) {
    case TConversionStep::SkipFits:
        return Skip(outcome, SkipReason::Fits, "already 480 pixels high (--reprocess converts it anyway)");
    case TConversionStep::SkipExisting: return Skip(outcome, SkipReason::OutputExists, ExistsReason(outcome.output));
    case TConversionStep::RefuseEmpty: RaiseEmptyResult(plan.Size.Width, plan.Size.Height);
    case TConversionStep::AskReprocess:  // not reached: the settings answer both questions
    case TConversionStep::AskOverwrite:
    case TConversionStep::Write: break;
    }
    if (settings.dryRun) {
        outcome.kind = OutcomeKind::Planned;
        return;
    }
    // Without --overwrite an output that appeared meanwhile (another run, or another input of
    // this one) wins: the finished file is published only where there is none.
    const TPublish publish = settings.overwrite ? TPublish::Replace : TPublish::KeepExisting;
    try {
        SaveConversion(*picture.CurrentGraphic(), plan.Size, settings.output, outcome.output, publish);
    } catch (const EOutputExists&) {
        return Skip(outcome, SkipReason::OutputExists, ExistsReason(outcome.output));
    }
    outcome.kind = OutcomeKind::Converted;
}

}  // namespace

FileOutcome ConvertPicture(const std::string& source, const ConversionSettings& settings) {
    FileOutcome outcome = FailureOf(source, "");
    try {
        Convert(outcome, settings);
    } catch (const std::exception& error) {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = FailureReason(error);
    }
    return outcome;
}
