#pragma once
// The rows a streamed draw takes from a PNG or WebP decoder, each read to its last byte, so that
// a row shorter than its width or an index beyond the picture shows under the sanitizers.

#include <cstdint>
#include <memory>

#include "formats/RasterImage.h"

inline void StreamEveryRow(TRasterImage& image) {
    std::shared_ptr<const platform::IccTransform> toSrgb;
    const std::int32_t height = image.ImageHeight();
    volatile std::uint8_t last = 0;
    image.StreamRows(
        [&](std::int32_t row, const std::uint8_t* bgr, std::int32_t width) {
            if (row < 0 || row >= height) __builtin_trap();
            for (std::int32_t i = 0; i < width * 3; ++i) last = bgr[i];
        },
        {}, toSrgb);
}
