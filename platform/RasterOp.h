#pragma once
// Ternary raster operations (ROP3). The operation index, bits 16-23 of the code, is the operation's
// truth table: for pattern bit p, source bit s and destination bit d the result is bit
// (p << 2 | s << 1 | d) of the index. It is applied bitwise over 24-bit colours.

#include <cstdint>

#include "platform/ColorTable.h"

namespace platform {

constexpr std::uint8_t RopIndex(std::uint32_t rop) { return std::uint8_t(rop >> 16); }
constexpr bool RopUsesPattern(std::uint8_t index) { return (index >> 4 & 0x0F) != (index & 0x0F); }
constexpr bool RopUsesSource(std::uint8_t index) { return (index >> 2 & 0x33) != (index & 0x33); }
constexpr bool RopUsesDestination(std::uint8_t index) { return (index >> 1 & 0x55) != (index & 0x55); }

Rgb Rop3(std::uint8_t index, Rgb pattern, Rgb source, Rgb destination);
// out[i] = Rop3(index, p[i], s[i], d[i]); a row the operation does not use may be null.
void ApplyRop(std::uint8_t index, const Rgb* p, const Rgb* s, const Rgb* d, Rgb* out, int count);

}  // namespace platform
