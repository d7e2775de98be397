#pragma once
// The About window's logo as its image's persisted picture block, made from the logo's BMP file.

#include <cstdint>
#include <span>

std::span<const std::uint8_t> AboutLogoData();
