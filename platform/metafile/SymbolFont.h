#pragma once
// Text in the Symbol font's character set: bytes whose letters are Greek and whose other codes
// are mathematical signs, turned into Unicode and back.

#include <cstdint>

namespace platform {

constexpr std::uint8_t SYMBOL_CHARSET = 2;

char16_t SymbolChar(std::uint8_t c);
// The byte of a character; '?' for one the font does not have.
std::uint8_t SymbolByte(char16_t c);

}  // namespace platform
