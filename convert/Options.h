#pragma once
// The command line of obrazor-convert, parsed into settings. Anything the tool cannot make
// sense of is a usage error, which ends the run with status 2 before any file is touched.

#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/conversion/PictureConversion.h"
#include "app/conversion/QualityText.h"

struct ConvertOptions {
    std::string qualityText = std::to_string(kDefaultJpegQuality);  // parsed later as the window's quality field
    bool gray = false;
    bool overwrite = false;
    bool reprocess = false;
    bool dryRun = false;
    bool autoOrient = true;       // turn photos upright by their EXIF orientation
    bool colorManagement = true;  // embedded colour profiles bring the pixels to sRGB
    bool smooth = false;          // filter the picture down instead of sampling it
    bool recursive = false;
    bool help = false;
    bool version = false;
    unsigned jobs = 0;  // 0: one per core
    std::vector<std::string> inputs;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `args` excludes the program name. Raises UsageError.
ConvertOptions ParseOptions(std::span<const char* const> args);

// The text of --help.
std::string UsageText();

// The conversion settings the options ask for.
ConversionSettings SettingsFrom(const ConvertOptions& options);
