#pragma once
// The fixed colour sets of the raster service.

#include <vector>

#include "platform/ColorTable.h"

namespace platform {

// The 20 static colours of the stock palette: ten at the start, ten at the end of a system palette.
const std::vector<Rgb>& StaticColors();
// 256 entries: static colours 0-9, a 6 x 6 x 6 colour cube (levels 0, 51, ..., 255; blue fastest)
// at 10-225, twenty grays between the cube's levels at 226-245, static colours 10-19 at 246-255.
const std::vector<Rgb>& HalftoneColors();
// The standard 16-colour palette in the order of the 4-bit display.
const std::vector<Rgb>& StandardColors16();
const std::vector<Rgb>& MonochromeColors();  // black, white
// The table a surface of this many bits gets when none is given: black and white, the standard
// sixteen, the halftone palette; empty above 8 bits.
const std::vector<Rgb>& DefaultColors(int bitsPerPixel);

}  // namespace platform
