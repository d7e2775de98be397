#pragma once
// The RegionData block of enhanced region records: a 32-byte header (size, type, rectangle count,
// rectangle bytes, bounds) and the rectangles, right and bottom exclusive.

#include <cstdint>
#include <vector>

#include "platform/GdiTypes.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

// The rectangles of the block, at most the region-rectangle limit; those past its end are not read.
std::vector<RECT> RegionRects(const RecordReader& data);

// The smallest rectangle holding them all; empty at the origin for none.
RECT BoundsOf(const std::vector<RECT>& rects);

// The block of these rectangles, with their bounds.
std::vector<std::uint8_t> RegionDataOf(const std::vector<RECT>& rects);

}  // namespace platform
