#pragma once
// Rows of four-component (CMYK) samples turned into the blue-green-red rows of a 24-bit bitmap.

#include <cstddef>
#include <cstdint>

namespace jpeg {
// `inverted`: the samples are stored inverted (0 = full ink), as Adobe applications write them.
// `gray`: every pixel becomes its luminance in all three bytes.
void CmykRowToBgr(const std::uint8_t* cmyk, std::uint8_t* bgr, std::size_t width, bool inverted, bool gray);
}  // namespace jpeg
