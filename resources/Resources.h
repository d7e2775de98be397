#pragma once
// Images built into the program from the BMP files beside this header.

#include <cstddef>
#include <cstdint>

// The About window's logo: a 175 x 94 BMP file with 24 bits per pixel.
extern const std::uint8_t AboutLogoBmp[];
extern const std::size_t AboutLogoBmpSize;
// The program's icon: a 32 x 32 BMP file with 256 colours.
extern const std::uint8_t ProgramIconBmp[];
extern const std::size_t ProgramIconBmpSize;
