#pragma once
// The fuzzer's bytes as a stream positioned at its start, as a file would be read.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "graphics/Bitmap.h"
#include "graphics/Streams.h"

inline std::unique_ptr<TMemoryStream> StreamOf(const std::uint8_t* data, std::size_t size) {
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(data, std::int64_t(size));
    stream->SetPosition(0);
    return stream;
}

// Drawing cost grows with the declared size; larger pictures are only read.
inline constexpr std::int64_t kMaxDrawnPixels = 1 << 22;

// Draws the graphic as the conversion command draws its preview, into a small white bitmap.
inline void DrawSmall(TGraphic& graphic) {
    TBitmap target;
    target.ResizeWidth(32);
    target.ResizeHeight(24);
    target.Canvas().StretchDrawGraphic({0, 0, 32, 24}, &graphic);
}
