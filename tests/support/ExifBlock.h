#pragma once
// EXIF blocks for the orientation tests: only the Orientation tag, as phones write it.

#include <cstdint>
#include <string>
#include <vector>

namespace exiftest {

using Bytes = std::vector<std::uint8_t>;

// The TIFF structure (little-endian) holding one Orientation entry.
inline Bytes ExifBlock(int orientation) {
    return {'I',  'I',  42, 0, 8, 0, 0, 0,  // little-endian TIFF header, first directory at 8
            1,    0,                        // one entry
            0x12, 0x01, 3,  0, 1, 0, 0, 0, std::uint8_t(orientation), 0, 0, 0,  // Orientation, SHORT, 1
            0,    0,    0,  0};                                                 // no next directory
}

// The JPEG with an APP1 "Exif" segment holding the block right after its start marker; the
// compressed data is untouched.
inline Bytes WithOrientation(const Bytes& jpeg, int orientation) {
    Bytes app1{'E', 'x', 'i', 'f', 0, 0};
    const Bytes block = ExifBlock(orientation);
    app1.insert(app1.end(), block.begin(), block.end());
    const std::size_t length = app1.size() + 2;
    Bytes segment{0xff, 0xe1, std::uint8_t(length >> 8), std::uint8_t(length)};
    segment.insert(segment.end(), app1.begin(), app1.end());
    Bytes result(jpeg.begin(), jpeg.begin() + 2);
    result.insert(result.end(), segment.begin(), segment.end());
    result.insert(result.end(), jpeg.begin() + 2, jpeg.end());
    return result;
}

// ImageMagick's operation that turns a stored picture upright for an EXIF orientation: exact
// quarter turns and mirrors.
inline std::string ImageMagickTurn(int orientation) {
    static const char* const turns[] = {"",           "",           "-flop",       "-rotate 180", "-flip",
                                        "-transpose", "-rotate 90", "-transverse", "-rotate 270"};
    return orientation >= 1 && orientation <= 8 ? turns[orientation] : "";
}

}  // namespace exiftest
