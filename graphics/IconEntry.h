#pragma once
// One image of an icon file as device-independent pixels, whichever way the file stores it:
// the colour as a BITMAPINFO with its bottom-up rows, the mask as bottom-up 1-bit rows padded to
// 4 bytes (1: transparent). Readers raise EInvalidGraphic "Icon image is not valid".

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/GdiTypes.h"

namespace ico {

struct EntryPixels {
    platform::BITMAPINFO colorInfo;
    std::vector<std::uint8_t> color;
    std::vector<std::uint8_t> mask;

    std::int32_t Width() const { return colorInfo.bmiHeader.biWidth; }
    std::int32_t Height() const { return colorInfo.bmiHeader.biHeight; }
};

std::size_t MaskRowBytes(std::int32_t width);

// A 32-bit colour with blue, green, red and alpha: alpha below half is transparent (mask 1, colour
// black, so drawing leaves the target as it was), the rest opaque.
void MaskFromAlpha(EntryPixels& pixels);

bool IsPngEntry(const std::uint8_t* bytes, std::size_t size);
EntryPixels ReadPngEntry(const std::uint8_t* bytes, std::size_t size);

}  // namespace ico
