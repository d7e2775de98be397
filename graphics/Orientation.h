#pragma once
// Turning and mirroring a bitmap into its upright orientation (the EXIF orientation values).

#include <cstdint>
#include <memory>

class TBitmap;

// Whether the orientation turns the picture a quarter, so width and height trade places.
bool SwapsSides(int orientation);

// A 24-bit copy of the source drawn in the given orientation; orientation 1 copies unchanged.
std::unique_ptr<TBitmap> OrientedBitmap(TBitmap& source, int orientation);
