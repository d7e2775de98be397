#pragma once
// Helpers of the JPEG tests: pictures made in memory, JPEG bytes encoded and read back, the
// marker segments of a file, bitmap pixels as RGB, and djpeg as an independent decoder.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <cstdio>

#include <jpeglib.h>

#include "graphics/Bitmap.h"
#include "jpeg/JPEGImage.h"
#include "support/FailureMessage.h"
#include "support/TestBitmaps.h"
#include "support/TestData.h"

namespace jpegtest {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

using testsupport::MakeBitmap;
// A picture with smooth gradients and some edges, for files that look like photographs.
Rgb Pattern(int x, int y);

struct EncodeOptions {
    int quality = 90;
    bool gray = false;
    bool progressive = false;
};
Bytes Encode(TBitmap& bitmap, const EncodeOptions& options = {});
Bytes EncodePattern(int width, int height, const EncodeOptions& options = {});
// Samples compressed by libjpeg itself: `configure` sets the compressor up after its defaults
// (colour space, quality, scans), `row` fills each row of width x components samples.
struct RawCompression {
    int width = 0, height = 0, components = 0;
    J_COLOR_SPACE inputSpace = JCS_UNKNOWN;
    std::function<void(jpeg_compress_struct&)> configure;
    std::function<void(int y, JSAMPLE* row)> row;
};
Bytes CompressRaw(const RawCompression& raw);
// A baseline file of `components` components of unknown colour space (1 x 1 sampling, one
// table), written in scans of up to four components.
Bytes EncodeComponents(int width, int height, int components);

using testsupport::FailureMessage;

// A new image holding the bytes (read through LoadFromStream).
std::unique_ptr<TJPEGImage> Load(const Bytes& bytes);
using testdata::ReadFile;
using testdata::WriteFile;

// The colour of a pixel of a 24-bit or 8-bit bitmap.
Rgb PixelOf(TBitmap& bitmap, int x, int y);
// The entries of the bitmap's palette.
std::vector<Rgb> PaletteOf(TBitmap& bitmap);

// One marker segment of a JPEG file: the marker byte and the bytes after its length field.
struct Segment {
    std::uint8_t marker = 0;
    Bytes body;
};
// Walks the markers from SOI to EOI; entropy-coded data is skipped.
std::vector<Segment> Segments(const Bytes& file);
std::vector<Segment> SegmentsOf(const Bytes& file, std::uint8_t marker);

// An image as the independent decoder gives it: RGB (or gray expanded to RGB), top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};
// All pixels of a 24-bit or 8-bit bitmap.
Picture PictureOf(TBitmap& bitmap);
// Mean absolute difference per colour channel of two pictures of one size.
int MeanDifference(TBitmap& a, TBitmap& b);
// djpeg with the given options on a file; nothing when djpeg is not installed or fails.
std::optional<Picture> Djpeg(const std::filesystem::path& file, const std::string& options);
bool HaveTool(const std::string& name);

// Turns every psRunning report into the given action; counts the stages seen.
struct ProgressLog {
    int starting = 0, running = 0, ending = 0;
    std::vector<int> percents;
    std::vector<TRect> bands;
    std::vector<bool> redraws;
    int endingPercent = -1;
    void Attach(TGraphic& graphic, std::function<void()> onRunning = {});
};

}  // namespace jpegtest
