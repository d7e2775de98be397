// The Symbol font's byte codes and their Unicode characters.
#include "platform/metafile/SymbolFont.h"

namespace platform {

// The Symbol font's letters are Greek; its other common signs, as Unicode.
char16_t SymbolChar(std::uint8_t c) {
    static constexpr char16_t upper[26] = {u'Α', u'Β', u'Χ', u'Δ', u'Ε', u'Φ', u'Γ', u'Η', u'Ι',
                                           u'ϑ', u'Κ', u'Λ', u'Μ', u'Ν', u'Ο', u'Π', u'Θ', u'Ρ',
                                           u'Σ', u'Τ', u'Υ', u'ς', u'Ω', u'Ξ', u'Ψ', u'Ζ'};
    static constexpr char16_t lower[26] = {u'α', u'β', u'χ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι',
                                           u'ϕ', u'κ', u'λ', u'μ', u'ν', u'ο', u'π', u'θ', u'ρ',
                                           u'σ', u'τ', u'υ', u'ϖ', u'ω', u'ξ', u'ψ', u'ζ'};
    if (c >= 'A' && c <= 'Z') return upper[c - 'A'];
    if (c >= 'a' && c <= 'z') return lower[c - 'a'];
    switch (c) {
    case 0x2D: return u'−';
    case 0xA3: return u'≤';
    case 0xA5: return u'∞';
    case 0xAE: return u'→';
    case 0xB1: return u'±';
    case 0xB3: return u'≥';
    case 0xB4: return u'×';
    case 0xB6: return u'∂';
    case 0xB7: return u'•';
    case 0xB8: return u'÷';
    case 0xB9: return u'≠';
    case 0xBB: return u'≈';
    case 0xD6: return u'√';
    case 0xD7: return u'⋅';
    case 0xE5: return u'∑';
    case 0xF2: return u'∫';
    default: return c;
    }
}

std::uint8_t SymbolByte(char16_t c) {
    for (int b = 0x20; b < 0x100; ++b)
        if (SymbolChar(std::uint8_t(b)) == c) return std::uint8_t(b);
    return c < 0x100 ? std::uint8_t(c) : std::uint8_t('?');
}

}  // namespace platform
