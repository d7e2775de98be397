#pragma once
// The Orientation tag of an EXIF block: how the stored pixels must be turned to stand upright.
// A damaged or missing block reads as orientation 1, never as an error: the tag only helps.

#include <cstddef>
#include <cstdint>

// EXIF orientation values: 1 upright, 2 mirrored left-right, 3 turned half round, 4 mirrored
// top-bottom, 5 transposed, 6 to be turned a quarter clockwise, 7 transversed, 8 to be turned a
// quarter anticlockwise.
inline constexpr int kOrientationUpright = 1;

// Reads the tag from the TIFF structure of an EXIF block (optionally led by "Exif\0\0", as JPEG
// and some WebP writers store it). Returns 1..8.
int ExifOrientation(const std::uint8_t* block, std::size_t size);
