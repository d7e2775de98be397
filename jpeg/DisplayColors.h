#pragma once
// What the JPEG image asks of the display: its colour depth, and a halftone palette for it.

#include "platform/Gdi.h"

namespace jpeg {
// Bits per pixel times colour planes of the screen.
int DisplayColorBits();
// A halftone palette when the display has 8 bits or fewer; none otherwise.
platform::HPALETTE DisplayHalftonePalette();
}  // namespace jpeg
