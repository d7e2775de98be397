#pragma once
// One file through the window's own conversion road: read by extension, the size rule, the
// white working bitmap, the JPEG, the atomic write. Where the window would ask a question, the
// tool follows its settings instead and never asks.

#include <string>

#include "app/conversion/SaveRoad.h"
#include "app/conversion/FileOutcome.h"

struct ConversionSettings {
    TJpegOutput output;
    bool overwrite = false;  // the window's "replace without asking" box
    bool reprocess = false;  // the "Yes" to the question about a picture that already fits
    bool dryRun = false;
    bool autoOrient = true;       // photos stored sideways are turned upright by their EXIF orientation
    bool colorManagement = true;  // embedded colour profiles bring the pixels to sRGB
};

// Never throws: every failure becomes the outcome's message.
FileOutcome ConvertPicture(const std::string& source, const ConversionSettings& settings);
