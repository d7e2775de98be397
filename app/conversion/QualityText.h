#pragma once
// The JPEG quality typed by the user: read as a 32-bit integer (the default for anything else).
// A number from 0 to 255 is the encoder's setting as it is (its scale treats 0 as 1 and anything
// above 100 as 100); a negative number gives 1 and one above 255 gives 100.

#include <cstdint>
#include <optional>
#include <string>

// The program's JPEG quality: the window's field starts with it and the tool writes with it.
constexpr std::uint8_t kDefaultJpegQuality = 75;
constexpr std::uint8_t kLowestQuality = 1;
constexpr std::uint8_t kHighestQuality = 100;

// Leading spaces, an optional sign, then decimal digits or "$", "x", "X", "0x", "0X" and up to
// eight hexadecimal digits; nothing may follow. Nothing when the text is not such a number or
// is out of the 32-bit signed range.
std::optional<std::int32_t> ParseInteger(const std::string& text);

std::uint8_t QualityFromText(const std::string& text);
