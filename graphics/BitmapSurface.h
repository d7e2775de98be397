#pragma once
// Making a bitmap's new surface from its description, keeping the old pixels top left.

#include "platform/Gdi.h"

class TCanvas;

// Builds a surface of the description's kind and size (device-dependent for a header size
// below 40, else a DIB section), cleared to the canvas's brush or white, with the source's
// pixels copied unscaled to the top left. Returns null when width or height is 0. The
// description is refreshed from the new surface.
platform::HBITMAP BuildSurface(const platform::HBITMAP& source, const platform::HPALETTE& oldPalette,
                               const platform::HPALETTE& newPalette, platform::DIBSECTION& description,
                               TCanvas* canvas);

// The surface's description as the platform reports it; zero for no surface.
platform::DIBSECTION DescribeSurface(const platform::HBITMAP& surface, int* reported = nullptr);
// The masks of BI_BITFIELDS sections whose masks are all zero: 5-6-5 for 16 bits, 8-8-8 for 32.
std::array<std::uint32_t, 3> DefaultMasks(int bitsPerPixel);
// Bytes per stored row: rows are padded to 32 bits.
std::int64_t RowBytes(std::int64_t width, int bitsPerPixel);
