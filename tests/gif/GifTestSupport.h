#pragma once
// Helpers of the GIF tests: hand-made files, loading with the warnings collected, and giflib's
// reading of the same bytes as an independent reference.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gif/GIFImage.h"
#include "gif/GIFPaletteDisplay.h"
#include "graphics/Bitmap.h"
#include "support/TestData.h"

namespace giftest {

using Bytes = std::vector<std::uint8_t>;

using testdata::ReadFile;
using testdata::WriteFile;

// LZW codes packed least significant bit first in the widths a decoder expects: minimum code
// size + 1 after each Clear, one bit more whenever the next free table slot reaches 2^width,
// at most 12. Packing starts as if after a Clear.
Bytes PackCodes(int minCodeSize, const std::vector<int>& codes);
// The data as sub-blocks of at most blockSize bytes, then the zero-length terminator.
Bytes SubBlocks(const Bytes& data, int blockSize = 255);

// Builds a GIF file block by block.
class GifBuilder {
public:
    // Signature, Logical Screen Descriptor, and a global map of 2^globalBits gray entries (none for 0).
    GifBuilder& Header(int width, int height, int globalBits, const std::string& signature = "GIF89a");
    GifBuilder& GraphicControl(int disposal, int delay, int transparentIndex = -1);
    GifBuilder& Descriptor(int left, int top, int width, int height, std::uint8_t packed = 0);
    // Minimum code size, then the codes in sub-blocks.
    GifBuilder& Codes(int minCodeSize, const std::vector<int>& codes, int blockSize = 255);
    GifBuilder& Raw(const Bytes& bytes);
    GifBuilder& Trailer() { return Raw({0x3B}); }
    const Bytes& Get() const { return bytes_; }

private:
    Bytes bytes_;
};

struct Loaded {
    std::unique_ptr<TGIFImage> image;
    std::vector<std::string> warnings;
    std::int64_t endPosition = 0;  // of the stream after reading
};
// Reads the bytes into a new image; a GIFException passes on.
Loaded Load(const Bytes& bytes);
// Reads the bytes and returns the failure's message, or "" when reading succeeded.
std::string LoadError(const Bytes& bytes);

// The display the library sees, for one test.
class DisplayBits {
public:
    explicit DisplayBits(int bits) : saved_(platform::Display()) {
        platform::Display().bitsPerPixel = bits;
        gif::ReadPaletteDisplay();
    }
    ~DisplayBits() {
        platform::Display() = saved_;
        gif::ReadPaletteDisplay();
    }
    DisplayBits(const DisplayBits&) = delete;
    DisplayBits& operator=(const DisplayBits&) = delete;

private:
    platform::DisplaySettings saved_;
};

// A bitmap of the display's kind filled with one colour: a drawing target.
std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color);

// What giflib reads from the same bytes.
struct RefFrame {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    Bytes indices;
    int delay = -1, disposal = -1, transparent = -1;
    int localColors = 0;
};
struct RefGif {
    int width = 0, height = 0;
    int loops = -1;  // -1 without a looping extension
    std::vector<RefFrame> frames;
};
std::optional<RefGif> GiflibRead(const Bytes& bytes);
// The same figures of our model, for comparison.
RefGif Describe(TGIFImage& image);

// A GIF of a real photograph made by ImageMagick (/usr/bin/convert) with the given options
// between input and output; empty when the photo or the tool is missing.
Bytes MagickGif(const std::string& photo, const std::vector<std::string>& options);
// A photograph of the mate-backgrounds package, or "" when it is not installed.
std::string Photo(const std::string& name);

}  // namespace giftest
