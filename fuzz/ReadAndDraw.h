#pragma once
// The fuzz round of a picture reader whose every failure is EInvalidGraphic: read the bytes as a
// file, and draw what loads when it is small enough to draw quickly.

#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzInput.h"
#include "graphics/Exceptions.h"

// `first`, when given, runs on what loads and is small enough, before the draw.
template <class Graphic>
int ReadAndDraw(const std::uint8_t* data, std::size_t size, void (*first)(Graphic&) = nullptr) {
    const auto stream = StreamOf(data, size);
    Graphic image;
    try {
        image.LoadFromStream(*stream);
        if (std::int64_t(image.ImageWidth()) * image.ImageHeight() > kMaxDrawnPixels) return 0;
        if (first) first(image);
        DrawSmall(image);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
