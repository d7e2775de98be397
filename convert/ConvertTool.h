#pragma once
// The whole of obrazor-convert short of the process: options in, report lines and exit status
// out. The conversion of one file comes from the caller, so the tests can stand in for it.

#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/conversion/FileOutcome.h"
#include "convert/Options.h"

// Converts one file with the settings of the whole run; must not throw.
using FileConverter = std::function<FileOutcome(const std::string& source, const ConvertOptions& options)>;

struct ToolStreams {
    std::FILE* out = stdout;  // report lines and the summary
    std::FILE* err = stderr;  // usage errors and the progress bar
    bool progress = false;    // draw the progress bar on `err`
};

// Called on the calling thread with every file to be converted, before the first conversion
// starts: the place to set up what only some files need.
using ConversionPreparation = std::function<void(const std::vector<std::string>& files)>;

// `args` excludes the program name. Returns the exit status.
int RunConvertTool(std::span<const char* const> args, const FileConverter& convert, const ToolStreams& streams,
                   const ConversionPreparation& prepare = {});
