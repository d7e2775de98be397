#pragma once
// Little-endian integers in bytes, the order of every file format the program reads.

#include <cstdint>
#include <vector>

namespace platform {
inline std::uint16_t LittleU16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
inline std::uint32_t LittleU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
inline void AppendLittleU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
inline void AppendLittleU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    AppendLittleU16(out, std::uint16_t(v));
    AppendLittleU16(out, std::uint16_t(v >> 16));
}
}  // namespace platform
