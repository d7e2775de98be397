#include "convert/PictureConversion.h"

#include <filesystem>
#include <new>

#include "app/conversion/OutputPath.h"
#include "app/conversion/QualityText.h"
#include "app/conversion/SizeRule.h"
#include "graphics/Picture.h"

namespace {

// The window's existence test: an entry of that name that is not a folder.
bool OutputExists(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

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
    if (OutputExists(outcome.output) && !settings.overwrite)
        return Skip(outcome, outcome.output + " exists (--overwrite replaces it)");
    if (settings.dryRun) {
        outcome.kind = OutcomeKind::Planned;
        return;
    }
    const auto working = MakeWorkingBitmap(*picture.CurrentGraphic(), size.Width, size.Height);
    SaveJpeg(*working, settings.output, outcome.output);
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
