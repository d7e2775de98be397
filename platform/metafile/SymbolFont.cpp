// The symbol faces' byte codes and their Unicode characters. The tables are generated from
// the faces' published encodings by tools/symbol-set-tables.py (see its header for the sources).
#include "platform/metafile/SymbolFont.h"

namespace platform {

namespace {

#include "platform/metafile/SymbolSetTables.inc"

}  // namespace

SymbolSet SymbolSetOf(std::u16string_view face) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!face.empty() && blank(face.front())) face.remove_prefix(1);
    while (!face.empty() && blank(face.back())) face.remove_suffix(1);
    const auto is = [face](std::u16string_view name) {
        if (face.size() != name.size()) return false;
        for (std::size_t i = 0; i < face.size(); ++i) {
            const char16_t c = face[i] >= u'A' && face[i] <= u'Z' ? char16_t(face[i] + 32) : face[i];
            if (c != name[i]) return false;
        }
        return true;
    };
    if (is(u"wingdings")) return SymbolSet::Wingdings;
    if (is(u"wingdings 2")) return SymbolSet::Wingdings2;
    if (is(u"wingdings 3")) return SymbolSet::Wingdings3;
    if (is(u"webdings")) return SymbolSet::Webdings;
    return SymbolSet::Symbol;
}

char32_t SymbolChar(SymbolSet set, std::uint8_t c) { return c < 0x20 ? 0 : kSymbolSetChars[int(set)][c - 0x20]; }

char16_t SymbolUnit(SymbolSet set, std::uint8_t c) {
    const char32_t u = set == SymbolSet::Symbol ? SymbolChar(set, c) : 0;
    return u != 0 ? char16_t(u) : char16_t(0xF000 | c);
}

std::uint8_t SymbolByte(char16_t c) {
    if ((c & 0xFF00) == 0xF000) return std::uint8_t(c);
    for (int b = 0x20; b < 0x100; ++b)
        if (SymbolChar(SymbolSet::Symbol, std::uint8_t(b)) == c) return std::uint8_t(b);
    return c < 0x100 ? std::uint8_t(c) : std::uint8_t('?');
}

}  // namespace platform
