#pragma once
// Palettes of bitmaps: the standard 16 colours, copies, and the conversions between a DIB
// section's colour table and a palette.

#include <vector>

#include "platform/Gdi.h"

inline constexpr unsigned kMaxPaletteEntries = 256;

// The 16 colours a 4-bit conversion uses; made once, shared as it is.
const platform::HPALETTE& StandardPalette16();
platform::HPALETTE CopyPalette(const platform::HPALETTE& palette);
// Up to 256 entries of a section's colour table; none for sections above 8 bits.
std::vector<platform::RGBQUAD> SectionColorTable(const platform::HBITMAP& section);
platform::HPALETTE PaletteFromColorTable(const std::vector<platform::RGBQUAD>& table);
platform::HPALETTE PaletteFromColorTable(const platform::HBITMAP& section);
// The palette's first highestIndex + 1 entries (at most 256) in colour-table order.
std::vector<platform::RGBQUAD> ColorTableFromPalette(const platform::HPALETTE& palette, unsigned highestIndex);
