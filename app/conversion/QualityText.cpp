#include "app/conversion/QualityText.h"

namespace {

constexpr std::size_t kMaxHexDigits = 8;
constexpr std::int64_t kInt32Limit = 2147483648LL;  // magnitude of the most negative value

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Length of the hexadecimal prefix at `pos`, or 0.
std::size_t HexPrefix(const std::string& text, std::size_t pos) {
    if (pos < text.size() && (text[pos] == '$' || text[pos] == 'x' || text[pos] == 'X')) return 1;
    if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) return 2;
    return 0;
}

// Hexadecimal digits give a 32-bit pattern: $FFFFFFFF is -1.
std::optional<std::int64_t> ReadHex(const std::string& digits) {
    if (digits.empty() || digits.size() > kMaxHexDigits) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        const int v = HexValue(c);
        if (v < 0) return std::nullopt;
        value = (value << 4) | std::uint32_t(v);
    }
    return std::int64_t(std::int32_t(value));
}

// The magnitude of a decimal number, bounded so it cannot overflow while it is read.
std::optional<std::int64_t> ReadDecimal(const std::string& digits) {
    if (digits.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kInt32Limit) return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(const std::string& text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string::npos) return std::nullopt;
    const bool negative = text[pos] == '-';
    if (text[pos] == '-' || text[pos] == '+') ++pos;
    const std::size_t prefix = HexPrefix(text, pos);
    if (prefix > 0) {
        const auto value = ReadHex(text.substr(pos + prefix));
        if (!value) return std::nullopt;
        return std::int32_t(negative ? std::uint32_t(0) - std::uint32_t(*value) : std::uint32_t(*value));
    }
    const auto magnitude = ReadDecimal(text.substr(pos));
    if (!magnitude) return std::nullopt;
    const std::int64_t value = negative ? -*magnitude : *magnitude;
    if (value > kInt32Limit - 1) return std::nullopt;
    return std::int32_t(value);
}

// Keeping only the low 8 bits would turn 300 into 44 and 256 into 0: a user asking for more
// would get much less. Numbers beyond the byte count as the nearest end of the encoder's scale.
std::uint8_t QualityFromText(const std::string& text) {
    const std::int32_t number = ParseInteger(text).value_or(kDefaultJpegQuality);
    if (number < 0) return kLowestQuality;
    if (number > 255) return kHighestQuality;
    return std::uint8_t(number);
}
