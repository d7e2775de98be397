#pragma once
// Binary resources kept in the program image.

#include <cstddef>
#include <cstdint>

// The About logo as a picture's persisted "Data" block (class name "TBitmap", count, BMP file).
extern const std::uint8_t AboutLogoData[];
extern const std::size_t AboutLogoDataSize;
// The program's icon: a 32 x 32 BMP file with 256 colours.
extern const std::uint8_t ProgramIconBmp[];
extern const std::size_t ProgramIconBmpSize;
