#pragma once
// Helpers of the PNG, WebP and HEIF tests: files made from a real photograph with the formats'
// own encoders, pictures read by an independent reader (Qt) and compared with ours.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QImage>

#include "graphics/Bitmap.h"
#include "support/ExifBlock.h"
#include "support/TestData.h"
#include "support/FailureMessage.h"

namespace formatstest {

using Bytes = std::vector<std::uint8_t>;

using testdata::ReadFile;
using testdata::WriteFile;

// Runs a shell command quietly; false when it fails.
bool RunQuietly(const std::string& command);
bool HaveTool(const std::string& path);

// A small photograph ("photo.png", 128 x 96) and the same with an alpha ramp ("alpha.png") in the
// folder; nothing when the photographs or ImageMagick are not installed.
std::optional<std::filesystem::path> MakePhoto(const testdata::TempDir& temp);
std::filesystem::path MakeAlphaPhoto(const testdata::TempDir& temp);

// The file as Qt reads it, composed over white.
QImage ReferenceOverWhite(const std::filesystem::path& path);

struct Difference {
    double mean = 0;  // per channel
    int max = 0;
};
// Sizes must agree (checked by the caller).
Difference Compare(TBitmap& bitmap, const QImage& reference);

using exiftest::ExifBlock;
using exiftest::ImageMagickTurn;
// A PNG chunk with its length and CRC.
Bytes PngChunk(const char* type, const Bytes& data);
// The image encoded as HEIC by libheif with the given orientation as rotation and mirror
// properties.
bool EncodeHeic(const std::filesystem::path& input, int orientation, const std::filesystem::path& output);

// What `action` writes to the process's standard error.
std::string CapturedStderr(const std::function<void()>& action);

using testsupport::FailureMessage;

}  // namespace formatstest
