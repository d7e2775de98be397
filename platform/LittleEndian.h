#pragma once
// Little-endian integers in bytes, the order of every file format the program reads.

#include <cstdint>

namespace platform {
inline std::uint16_t LittleU16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
inline std::uint32_t LittleU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
}  // namespace platform
