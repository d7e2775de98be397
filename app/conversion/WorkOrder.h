#pragma once
// The order in which workers take the files: largest first, so that a big photo does not start
// last and leave the other workers idle at the end of the batch.

#include <cstddef>
#include <string>
#include <vector>

// Indices into `files`, by file size descending; equal sizes and unreadable files (size 0)
// keep their input order.
std::vector<std::size_t> LargestFirst(const std::vector<std::string>& files);

// The order for `jobs` workers: largest first when there are several; empty (input order) for
// one, which gains nothing from reordering and would only hold back the first lines.
std::vector<std::size_t> StartOrderFor(const std::vector<std::string>& files, unsigned jobs);
