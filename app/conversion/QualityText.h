#pragma once
// The JPEG quality typed by the user: read as a 32-bit integer (75 for anything else); the
// encoder's setting takes its low 8 bits.

#include <cstdint>
#include <optional>
#include <string>

constexpr std::int32_t kDefaultQuality = 75;

// Leading spaces, an optional sign, then decimal digits or "$", "x", "X", "0x", "0X" and up to
// eight hexadecimal digits; nothing may follow. Nothing when the text is not such a number or
// is out of the 32-bit signed range.
std::optional<std::int32_t> ParseInteger(const std::string& text);

std::uint8_t QualityFromText(const std::string& text);
