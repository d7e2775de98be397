#pragma once
// Bounds on what a JPEG file may make us spend. Beyond them a file fails (or, for scans, is cut
// short) instead of exhausting memory or time.

#include <cstdint>

namespace jpeg {
// Pixels of the coded picture (width x height) that decoding accepts: above 250 megapixels, yet
// the whole-image coefficient buffers of a progressive file stay within a few gigabytes.
inline constexpr std::int64_t MaxJpegPixels = 300'000'000;
// Bytes of a JPEG file an image holds; larger files fail like pictures too big to decode.
inline constexpr std::int64_t MaxJpegBytes = std::int64_t(1) << 30;
// Scans a multi-scan file may have; every scan costs a pass over the picture, so a hostile file
// of tiny scans would otherwise keep the decoder busy for hours. Further scans are ignored.
inline constexpr int MaxJpegScans = 256;
}  // namespace jpeg
