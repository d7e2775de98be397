#pragma once
// Turning any bitmap into an 8-bit bitmap under a reduction method and a dither kind, and the
// palettes the methods use.

#include <memory>

#include "gif/GIFSettings.h"
#include "platform/Gdi.h"

class TBitmap;

namespace gif {

platform::HPALETTE WebPalette();         // 216 entries: r * 36 + g * 6 + b, steps of 51
platform::HPALETTE Grays256Palette();    // entry i = (i, i, i)
platform::HPALETTE BlackWhitePalette();  // black, white
platform::HPALETTE FourGraysPalette();   // 0, 128, 192, 255
platform::HPALETTE HalftonePalette();    // the platform's halftone palette for the screen
platform::HPALETTE System20Palette();    // the platform's 20 static colours

// An octree palette of `colors` entries for the bitmap; with system colours, 236 octree
// colours between the first and the last ten static colours.
platform::HPALETTE OptimizedPalette(TBitmap& bitmap, int colors, bool withSystemColors);

// A new 8-bit bitmap of the source's colours on the method's palette (for KeepColors a 24-bit
// copy); an empty bitmap for a method or dither kind outside the tables, or a palette without
// entries.
std::unique_ptr<TBitmap> ReduceToPalette(TBitmap& source, TColorReduction method, TDitherMode dither,
                                         const platform::HPALETTE& givenPalette, int bits);

}  // namespace gif
