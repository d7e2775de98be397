#pragma once
// Sizes of a picture as a file stores it and as it is shown, and the EXIF orientation that
// leads from one to the other (PNG and WebP carry it in an EXIF chunk).

#include <cstdint>
#include <memory>

class TBitmap;

// The picture's size as stored and as shown once the file's orientation is applied.
struct TRasterHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t uprightWidth = 0;
    std::int32_t uprightHeight = 0;
};

// What a header tells: the stored size and the EXIF orientation (1 without one).
struct TStoredPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int orientation = 1;
};

TRasterHeader ExifOrientedHeader(const TStoredPicture& stored);
// The bitmap turned by the orientation; orientation 1 returns it as it is.
std::unique_ptr<TBitmap> ExifOriented(std::unique_ptr<TBitmap> stored, int orientation);
