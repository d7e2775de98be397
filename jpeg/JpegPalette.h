#pragma once
// Palettes of the decoder: the colour map made from a palette handed in, and the palette made
// from the colour map the library chose.

#include "jpeg/CodecContext.h"
#include "platform/Gdi.h"

namespace jpeg {
// Has the library quantise to the palette's colours; a palette without entries sets nothing.
// Returns whether a colour map was set.
bool ColormapFromPalette(CodecContext& context, const platform::HPALETTE& palette);
platform::HPALETTE PaletteFromColormap(j_decompress_ptr cinfo);
platform::HPALETTE CopyPalette(const platform::HPALETTE& palette);
}  // namespace jpeg
