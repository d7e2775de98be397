#include "convert/PictureConversion.h"

#include <new>

#include "app/conversion/OutputPath.h"
#include "app/conversion/QualityText.h"
#include "app/conversion/SizeRule.h"
#include "graphics/Picture.h"
#include "platform/FileSystem.h"

namespace {

void Skip(FileOutcome& outcome, std::string reason) {
    outcome.kind = OutcomeKind::Skipped;
    outcome.message = std::move(reason);
}

// Reads the picture and decides; writes only when everything allows it.
void Convert(FileOutcome& outcome, const ConversionSettings& settings) {
    TPicture picture;
    picture.ReadFromFile(outcome.source);
    outcome.sourceSize = {picture.ImageWidth(), picture.ImageHeight()};
    outcome.sizesKnown = true;
    const TResultSize size = ApplySizeRule(outcome.sourceSize.width, outcome.sourceSize.height);
    outcome.resultSize = {size.Width, size.Height};
    if (size.Rule == TSizeRule::Fits && !settings.reprocess)
        return Skip(outcome, "already 480 pixels high (--reprocess converts it anyway)");
    RequireDrawableSize(size.Width, size.Height);
    outcome.output = OutputPathFor(outcome.source);
    if (platform::FileExists(outcome.output) && !settings.overwrite)
        return Skip(outcome, outcome.output + " exists (--overwrite replaces it)");
    if (settings.dryRun) {
        outcome.kind = OutcomeKind::Planned;
        return;
    }
    SaveConversion(*picture.CurrentGraphic(), size, settings.output, outcome.output);
    outcome.kind = OutcomeKind::Converted;
}

}  // namespace

ConversionSettings SettingsFrom(const ConvertOptions& options) {
    ConversionSettings settings;
    settings.output.Gray = options.gray;
    settings.output.Quality = QualityFromText(options.qualityText);
    settings.overwrite = options.overwrite;
    settings.reprocess = options.reprocess;
    settings.dryRun = options.dryRun;
    return settings;
}

FileOutcome ConvertPicture(const std::string& source, const ConversionSettings& settings) {
    FileOutcome outcome = FailureOf(source, "");
    try {
        Convert(outcome, settings);
    } catch (const std::bad_alloc&) {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = "Out of memory";
    } catch (const std::exception& error) {
        outcome.kind = OutcomeKind::Failed;
        outcome.message = error.what();
    }
    return outcome;
}
