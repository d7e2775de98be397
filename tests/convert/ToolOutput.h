#pragma once
// The bytes the command-line tool writes for one source file.

#include <cstdint>
#include <string>
#include <vector>

// Runs the tool on `source` with the extra options (and --overwrite --reprocess) and returns its
// output file's bytes; empty when it wrote none.
std::vector<std::uint8_t> ToolOutput(const std::string& source, std::vector<const char*> options = {});
