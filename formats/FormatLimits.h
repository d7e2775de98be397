#pragma once
// Bounds on the pictures the PNG, WebP and HEIF readers decode, checked from the header before
// any pixel memory is taken. A 24-bit bitmap of the largest accepted picture stays within the
// raster service's surface limit.

#include <cstdint>

namespace formats {
// Sides longer than this are refused; panoramas of 100 megapixels still fit.
inline constexpr std::int32_t kMaxSide = 1 << 17;
// Pixels (width x height) accepted: 134 megapixels, above what phones and cameras make today.
inline constexpr std::int64_t kMaxPixels = std::int64_t(1) << 27;
// Bytes of a file an image holds.
inline constexpr std::int64_t kMaxFileBytes = std::int64_t(1) << 30;

// Raises EInvalidGraphic with `message` when a side is below 1 or the picture is beyond the bounds.
void CheckPictureSize(std::int64_t width, std::int64_t height, const char* message);
}  // namespace formats
