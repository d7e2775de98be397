#pragma once
// What happened to one input file; the report line and the summary are made from it.

#include <cstdint>
#include <string>

enum class OutcomeKind {
    Converted,  // the output was written
    Planned,    // a dry run: sizes only, nothing written
    Skipped,    // nothing to do or not allowed to replace; not a failure
    Failed,
};

// Why a file was skipped, for front ends that word it their own way.
enum class SkipReason {
    None,
    Fits,          // already of an allowed size, and not to be converted all the same
    OutputExists,  // its output is there and is not to be replaced
    SharedOutput,  // an earlier file of the run makes the same output
    OwnOutput,     // it is itself an output of an earlier conversion
};

struct PictureSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

struct FileOutcome {
    OutcomeKind kind = OutcomeKind::Failed;
    std::string source;
    bool sizesKnown = false;  // false when the picture could not be read
    PictureSize sourceSize;
    PictureSize resultSize;
    std::string output;   // the output path, once known
    std::string message;  // why it was skipped or failed
    SkipReason skip = SkipReason::None;
};

// A failure before the picture's size was known.
inline FileOutcome FailureOf(const std::string& source, std::string message) {
    FileOutcome outcome;
    outcome.source = source;
    outcome.message = std::move(message);
    return outcome;
}
