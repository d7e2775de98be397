#pragma once
// The one line printed for each input file.

#include <string>

#include "app/conversion/FileOutcome.h"

// "SOURCE: W × H → w × h, OUTPUT" for a conversion, the sizes only for a dry run, the reason
// for a skip or a failure.
std::string FormatReportLine(const FileOutcome& outcome);
