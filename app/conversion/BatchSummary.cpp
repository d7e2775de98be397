#include "app/conversion/BatchSummary.h"

void BatchSummary::Count(OutcomeKind kind) {
    switch (kind) {
    case OutcomeKind::Converted: ++converted_; break;
    case OutcomeKind::Planned: ++planned_; break;
    case OutcomeKind::Skipped: ++skipped_; break;
    case OutcomeKind::Failed: ++failed_; break;
    }
}

std::string BatchSummary::Line() const {
    const std::size_t total = Total();
    std::string line = std::to_string(total) + (total == 1 ? " file: " : " files: ");
    // A dry run converts nothing, so it names what it checked instead.
    line += planned_ > 0 ? std::to_string(planned_) + " checked" : std::to_string(converted_) + " converted";
    line += ", " + std::to_string(skipped_) + " skipped, " + std::to_string(failed_) + " failed";
    return line;
}
