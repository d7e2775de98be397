#pragma once
// The one reader of PNG data over libpng: the PNG pictures and the PNG-compressed images of icon
// files. It reads from memory, prints nothing, and turns every libpng failure into
// EInvalidGraphic with its owner's text; the sides, the pixel count and the ancillary chunks it
// keeps are bounded before any pixel memory is taken.

#include <cstddef>
#include <cstdint>
#include <vector>

struct png_struct_def;
struct png_info_def;

struct TPngLimits {
    std::int32_t maxSide;
    std::int64_t maxPixels;
    // Ancillary chunks (text, profiles, EXIF) larger than this are skipped.
    std::size_t maxChunkBytes;
};

// The 8-bit samples a pixel is delivered in.
enum class TPngSamples {
    // Red, green, blue and, when the file has transparency, straight alpha; 16 bits rounded.
    RgbOrRgba,
    // Blue, green, red, alpha (255 where the file has none); 16 bits cut to their high byte.
    Bgra,
};

class TPngDecoder {
public:
    // The bytes are read in place and must outlive the decoder.
    TPngDecoder(const std::uint8_t* bytes, std::size_t size, const TPngLimits& limits, const char* invalidMessage);
    ~TPngDecoder();
    TPngDecoder(const TPngDecoder&) = delete;
    TPngDecoder& operator=(const TPngDecoder&) = delete;

    // Reads the chunks before the pixel data and checks the size against the limits.
    void ReadInfo();
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    // After ReadInfo: the orientation of an eXIf chunk (1 without one) and the profile of an iCCP
    // chunk (empty without one).
    int Orientation();
    std::vector<std::uint8_t> Profile();

    // Chooses the samples; returns the channels of a pixel (3 or 4).
    int SetSamples(TPngSamples samples);
    // Decodes every row, row y to `first + y * stride` (a negative stride fills bottom-up).
    void ReadRows(std::uint8_t* first, std::ptrdiff_t stride);
    // After ReadInfo: whether the rows come in interlaced passes, so that no row is final
    // before the last pass.
    bool Interlaced() const;
    // The next row of a file that is not interlaced, into `row` (a row's bytes of the samples).
    void ReadRow(std::uint8_t* row);

private:
    struct Source {
        const std::uint8_t* bytes;
        std::size_t size;
        std::size_t position;
    };
    template <class Step>
    void Call(Step&& step);

    Source source_;
    TPngLimits limits_;
    const char* invalidMessage_;
    png_struct_def* png_ = nullptr;
    png_info_def* info_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};
