#pragma once
// Converts files on worker threads, one file per worker at a time, and hands the outcomes to
// the caller's thread in input order, whatever order the workers finish in.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "convert/FileOutcome.h"

using FileTask = std::function<FileOutcome(const std::string& source)>;
// Called on the caller's thread, once per file, in input order.
using OutcomeSink = std::function<void(std::size_t index, const FileOutcome& outcome)>;
// Called on the caller's thread whenever another file is finished, in any order.
using ProgressSink = std::function<void(std::size_t finished)>;

// `startOrder` is the order the workers take the files in (indices into `files`); empty means
// input order. It changes only when each file is done, never the order of the report.
void RunInInputOrder(const std::vector<std::string>& files, unsigned jobs, const FileTask& task,
                     const OutcomeSink& onOutcome, const ProgressSink& onProgress,
                     const std::vector<std::size_t>& startOrder = {});
