#include "graphics/LetterCase.h"

namespace {

bool Continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

void AppendTwoByteUtf8(std::string& out, char32_t c) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
}

}  // namespace

char32_t LowerLetter(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c >= 0x100 && c <= 0x137) return c | 1;
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : c;
    if (c >= 0x14A && c <= 0x177) return c | 1;
    if (c == 0x178) return 0xFF;
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : c;
    return c;
}

// Every letter that changes is below U+0800, so only one- and two-byte sequences are decoded;
// their lower case has the same length.
std::string AnsiLowerCase(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (b >= 0xC2 && b <= 0xDF && Continuation(next)) {
            AppendTwoByteUtf8(out, LowerLetter(char32_t((b & 0x1F) << 6) | (next & 0x3F)));
            ++i;
        } else {
            out += b < 0x80 ? char(LowerLetter(b)) : char(b);
        }
    }
    return out;
}
