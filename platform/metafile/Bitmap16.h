#pragma once
// The device-dependent bitmaps of old Windows metafiles (Bitmap16: type, width, height, bytes per
// row, planes, bits per pixel; then top-down rows padded to 16 bits), turned into packed
// device-independent bitmaps as the newer records carry them.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/metafile/RecordReader.h"

namespace platform {

// The packed DIB (header, colour table, bottom-up rows) of the Bitmap16 whose 10-byte header is at
// the start of `header` and whose rows are `bits`. One plane of 1, 24 or 32 bits per pixel is
// read; one bit per pixel is black for 0 and white for 1. None for other depths, sizes beyond the
// record-bitmap limit, or rows the record does not hold.
std::optional<std::vector<std::uint8_t>> DibFromBitmap16(const RecordReader& header,
                                                         std::span<const std::uint8_t> bits);

}  // namespace platform
