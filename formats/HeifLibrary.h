#pragma once
// The one place that talks to libheif. Its errors become EInvalidGraphic "HEIF image is not
// valid"; it prints nothing.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "formats/StoredPicture.h"

class TBitmap;

namespace formats {
// The primary image's size as coded and as shown after its rotation, mirror and crop, checking
// both against the bounds.
TRasterHeader ReadHeifHeader(const std::uint8_t* bytes, std::size_t size);
// The primary image, alpha composed over white; turned and mirrored as the file says when
// `transform` is set, as coded otherwise.
std::unique_ptr<TBitmap> DecodeHeif(const std::uint8_t* bytes, std::size_t size, bool transform);
}  // namespace formats
