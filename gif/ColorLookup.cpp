#include "gif/ColorLookup.h"

#include <algorithm>
#include <cstdlib>

namespace gif {

namespace {
constexpr int kCells = 32 * 32 * 32;
constexpr int kMaxEntries = 256;
// 0.30, 0.59 and 0.11 in 256ths.
int Luminance(TRgb c) { return 77 * c.r + 150 * c.g + 29 * c.b; }
}  // namespace

TFastColorLookup::TFastColorLookup(const platform::HPALETTE& palette) : TColorLookup(0), inverse_(kCells, -1) {
    std::array<platform::PALETTEENTRY, kMaxEntries> read;
    const unsigned count =
        palette ? std::min(platform::GetPaletteEntries(palette, 0, kMaxEntries, read.data()), unsigned(kMaxEntries))
                : 0;
    for (unsigned i = 0; i < count; ++i) {
        const TRgb entry{read[i].peRed, read[i].peGreen, read[i].peBlue};
        entries_.push_back(entry);
        std::int16_t& cell = inverse_[std::size_t(Cell(entry))];
        if (cell < 0) cell = std::int16_t(i);
    }
    colors_ = int(count);
}

int TFastColorLookup::LookupColor(TRgb color, TRgb& found) {
    std::int16_t& cell = inverse_[std::size_t(Cell(color))];
    if (cell < 0) {
        int best = 0, bestDistance = 1 << 30;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const TRgb& e = entries_[i];
            const int distance = std::abs(e.r - color.r) + std::abs(e.g - color.g) + std::abs(e.b - color.b);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = int(i);
            }
        }
        cell = std::int16_t(best);
    }
    found = entries_.empty() ? TRgb{} : entries_[std::size_t(cell)];
    return cell;
}

int TNetscapeColorLookup::LookupColor(TRgb color, TRgb& found) {
    const int r = (color.r + 3) / 51, g = (color.g + 3) / 51, b = (color.b + 3) / 51;
    found = {std::uint8_t(51 * r), std::uint8_t(51 * g), std::uint8_t(51 * b)};
    return 36 * r + 6 * g + b;
}

int TGrayScaleLookup::LookupColor(TRgb color, TRgb& found) {
    const std::uint8_t y = std::uint8_t(Luminance(color) >> 8);
    found = {y, y, y};
    return y;
}

int TMonochromeLookup::LookupColor(TRgb color, TRgb& found) {
    constexpr int kHalf = 32513;
    const bool white = Luminance(color) >= kHalf;
    found = white ? TRgb{255, 255, 255} : TRgb{0, 0, 0};
    return white ? 1 : 0;
}

}  // namespace gif
