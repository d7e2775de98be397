#pragma once
// The EXIF orientation of a JPEG file, from its APP1 "Exif" segment before the first scan.

#include <cstddef>
#include <cstdint>

class TJPEGImage;

namespace jpeg {
// 1..8; 1 when the file has no such segment or it is damaged.
int JpegOrientation(const std::uint8_t* bytes, std::size_t size);
int JpegOrientation(const TJPEGImage& image);
}  // namespace jpeg
