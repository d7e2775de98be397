#pragma once
// Embedded colour profiles: what a picture reader calls once it has the pixels, so that every
// drawing of the picture (preview, full-size view, the saved JPEG) shows the colours a
// colour-managed viewer shows. The profile is given as the file stores it; a missing, damaged or
// sRGB profile, or colour management switched off, leaves the pixels exactly as they are.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/GdiTypes.h"
#include "platform/IccTransform.h"

class TBitmap;

// Rows of 24-bit (blue, green, red) or 32-bit (blue, green, red, fourth byte kept) pixels,
// `stride` bytes apart (negative for bottom-up memory), converted in place. Other bit counts
// keep their numbers. True when the pixels were converted.
bool RowsToSrgb(std::span<const std::uint8_t> profile, int bitsPerPixel, std::uint8_t* top, std::ptrdiff_t stride,
                std::int32_t width, std::int32_t height);

// Every pixel of a bitmap of 24 (Bgr transform) or 32 (Bgrx transform) bits per pixel.
void TranslateBitmap(const platform::IccTransform& transform, TBitmap& bitmap);

// The colour table of a picture of 8 bits per pixel or fewer.
bool ColorTableToSrgb(std::span<const std::uint8_t> profile, std::span<platform::RGBQUAD> colors);
