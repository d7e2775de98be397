#pragma once
// Text in fonts of the symbol character set: bytes that stand for Greek letters, mathematical
// signs or pictures rather than Latin-1 letters. Each face has its own table to Unicode; codes a
// face has no Unicode character for are drawn as the font's missing glyph.

#include <cstdint>
#include <string_view>

namespace platform {

constexpr std::uint8_t SYMBOL_CHARSET = 2;

// The symbol faces with a table of their own; any other symbol-set face reads as Symbol.
enum class SymbolSet { Symbol, Wingdings, Wingdings2, Wingdings3, Webdings };

// The face name is compared without regard to ASCII case or surrounding blanks.
SymbolSet SymbolSetOf(std::u16string_view face);
// The Unicode character of a byte of the set; 0 when the set has none for it.
char32_t SymbolChar(SymbolSet set, std::uint8_t c);
// The UTF-16 unit a Windows-metafile byte of the set is carried as in enhanced text: Symbol's
// own characters, which all lie in the basic plane, and otherwise the private-use code
// U+F000 + byte that symbol fonts answer to.
char16_t SymbolUnit(SymbolSet set, std::uint8_t c);
// The byte of a Symbol character or of a private-use U+F0xx code; '?' for any other.
std::uint8_t SymbolByte(char16_t c);

}  // namespace platform
