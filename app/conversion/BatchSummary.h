#pragma once
// Counts the outcomes of a run for its closing line and its exit status.

#include <cstddef>
#include <string>

#include "app/conversion/FileOutcome.h"

enum ExitStatus : int { kExitSuccess = 0, kExitSomeFailed = 1, kExitUsage = 2 };

class BatchSummary {
public:
    void Count(OutcomeKind kind);
    std::size_t Total() const { return converted_ + planned_ + skipped_ + failed_; }
    std::size_t Converted() const { return converted_; }
    std::size_t Skipped() const { return skipped_; }
    std::size_t Failed() const { return failed_; }
    // "12 files: 10 converted, 1 skipped, 1 failed"
    std::string Line() const;
    int Status() const { return failed_ == 0 ? kExitSuccess : kExitSomeFailed; }

private:
    std::size_t converted_ = 0;
    std::size_t planned_ = 0;
    std::size_t skipped_ = 0;
    std::size_t failed_ = 0;
};
