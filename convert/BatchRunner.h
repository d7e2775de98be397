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

void RunInInputOrder(const std::vector<std::string>& files, unsigned jobs, const FileTask& task,
                     const OutcomeSink& onOutcome, const ProgressSink& onProgress);
