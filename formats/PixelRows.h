#pragma once
// Decoded rows as the libraries hand them over, and their composition into the 24-bit bitmap the
// program draws from.

#include <cstddef>
#include <cstdint>
#include <memory>

class TBitmap;

// 8-bit red, green, blue and, with four channels, straight (not premultiplied) alpha.
struct TPixelRows {
    const std::uint8_t* first;
    std::ptrdiff_t stride;
    std::int32_t width;
    std::int32_t height;
    int channels;  // 3 or 4
};

// One row of `width` pixels to blue, green, red, alpha composed over white. Three channels have
// no alpha: they are only reordered.
void ComposeRowOverWhite(const std::uint8_t* in, std::uint8_t* out, std::int32_t width, int channels);

// A 24-bit bitmap of the rows, alpha composed over white (the colour of the working bitmap).
std::unique_ptr<TBitmap> ComposeOverWhite(const TPixelRows& rows);
