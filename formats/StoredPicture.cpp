#include "formats/StoredPicture.h"

#include "graphics/Bitmap.h"
#include "graphics/ExifOrientation.h"
#include "graphics/Orientation.h"

TRasterHeader ExifOrientedHeader(const TStoredPicture& stored) {
    const bool swaps = SwapsSides(stored.orientation);
    return {stored.width, stored.height, swaps ? stored.height : stored.width, swaps ? stored.width : stored.height};
}

std::unique_ptr<TBitmap> ExifOriented(std::unique_ptr<TBitmap> stored, int orientation) {
    if (orientation == kOrientationUpright) return stored;
    return OrientedBitmap(*stored, orientation);
}
