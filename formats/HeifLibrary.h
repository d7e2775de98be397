#pragma once
// The one place that talks to libheif. Its errors become EInvalidGraphic "HEIF image is not
// valid"; it prints nothing.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "formats/StoredPicture.h"

class TBitmap;

namespace formats {
// The primary image's size as shown, after its rotation, mirror and crop, checked against the
// bounds. Those properties belong to the picture's definition in HEIF, unlike an EXIF tag beside
// the pixels: they are always applied, and the orientation is upright whatever AutoOrient says.
TStoredPicture ReadHeifInfo(const std::uint8_t* bytes, std::size_t size);
// The primary image as shown, alpha composed over white.
std::unique_ptr<TBitmap> DecodeHeif(const std::uint8_t* bytes, std::size_t size);
// The primary image's ICC profile, empty without one or when the file cannot be read.
std::vector<std::uint8_t> HeifProfile(const std::uint8_t* bytes, std::size_t size);
}  // namespace formats
