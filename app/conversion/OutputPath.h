#pragma once
// The output path beside the source: its extension replaced by ".LMV.jpg", or the suffix
// appended when the file name has no extension.

#include <string>

inline constexpr const char* kOutputSuffix = ".LMV.jpg";

std::string OutputPathFor(const std::string& source);
