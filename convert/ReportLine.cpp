#include "convert/ReportLine.h"

namespace {

std::string SizeText(const PictureSize& size) {
    return std::to_string(size.width) + " × " + std::to_string(size.height);
}

std::string SizesText(const FileOutcome& outcome) {
    return SizeText(outcome.sourceSize) + " → " + SizeText(outcome.resultSize);
}

std::string DetailText(const FileOutcome& outcome) {
    switch (outcome.kind) {
    case OutcomeKind::Converted: return SizesText(outcome) + ", " + outcome.output;
    case OutcomeKind::Planned: return SizesText(outcome);
    case OutcomeKind::Skipped:
        return outcome.sizesKnown ? SizesText(outcome) + ", skipped: " + outcome.message
                                  : "skipped: " + outcome.message;
    case OutcomeKind::Failed: break;
    }
    const std::string failure = "failed: " + outcome.message;
    return outcome.sizesKnown ? SizesText(outcome) + ", " + failure : failure;
}

}  // namespace

std::string FormatReportLine(const FileOutcome& outcome) { return outcome.source + ": " + DetailText(outcome); }
