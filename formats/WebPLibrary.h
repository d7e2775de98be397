#pragma once
// The one place that talks to libwebp (decoder and demuxer). Its failures become
// EInvalidGraphic "WebP image is not valid".

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "formats/StoredPicture.h"
#include "graphics/BgrRows.h"

class TBitmap;

namespace formats {
// The canvas size and the orientation of an EXIF chunk, checking the size against the bounds.
TStoredPicture ReadWebPInfo(const std::uint8_t* bytes, std::size_t size);
// The pixels as stored, alpha composed over white; of an animation, its first frame.
std::unique_ptr<TBitmap> DecodeWebP(const std::uint8_t* bytes, std::size_t size);
// The same pixels of a still picture row by row, top to bottom, to `sink`, through the
// incremental decoder; false, having given no row, for an animation.
bool StreamWebP(const std::uint8_t* bytes, std::size_t size, const TBgrRowSink& sink, const TRowWanted& wanted);
// The profile of an ICCP chunk, empty without one or when the file cannot be read.
std::vector<std::uint8_t> WebPProfile(const std::uint8_t* bytes, std::size_t size);
}  // namespace formats
