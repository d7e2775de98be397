#pragma once
// Inputs of one run whose outputs are the same file ("a.jpg" and "a.bmp" both make
// "a.LMV.jpg"): only the first in input order is converted, the others are skipped up front.

#include <cstddef>
#include <string>
#include <vector>

#include "app/conversion/FileOutcome.h"

struct OutputClaims {
    std::vector<std::string> kept;          // the files to convert, in input order
    std::vector<std::size_t> keptIndex;     // their indices among the inputs
    std::vector<FileOutcome> dropped;       // a skipped outcome for every other input ...
    std::vector<std::size_t> droppedIndex;  // ... and its index among the inputs
};

OutputClaims ClaimOutputs(const std::vector<std::string>& files);
