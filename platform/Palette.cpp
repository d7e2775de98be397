#include "platform/Palette.h"

#include <algorithm>

#include "platform/StockColors.h"

namespace platform {

namespace {
// A logical palette (LOGPALETTE version 0x300) holds at most this many entries.
constexpr unsigned kMaxPaletteEntries = 65535;

std::vector<Rgb> ColorsOf(const std::vector<PALETTEENTRY>& entries) {
    std::vector<Rgb> colors;
    colors.reserve(entries.size());
    for (const PALETTEENTRY& e : entries) colors.push_back(Rgb(e.peRed) << 16 | Rgb(e.peGreen) << 8 | e.peBlue);
    return colors;
}

std::vector<PALETTEENTRY> EntriesOf(const std::vector<Rgb>& colors) {
    std::vector<PALETTEENTRY> entries;
    entries.reserve(colors.size());
    for (Rgb c : colors)
        entries.push_back(PALETTEENTRY{std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c), 0});
    return entries;
}
}  // namespace

Palette::Palette(std::vector<PALETTEENTRY> entries) : entries_(std::move(entries)), colors_(ColorsOf(entries_)) {}

HPALETTE CreatePalette(const PALETTEENTRY* entries, unsigned count) {
    if (!entries || count == 0 || count > kMaxPaletteEntries) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return std::make_shared<Palette>(std::vector<PALETTEENTRY>(entries, entries + count));
}

HPALETTE CreateHalftonePalette(const HDC&) { return std::make_shared<Palette>(EntriesOf(HalftoneColors())); }

HPALETTE GetDefaultPalette() {
    static const HPALETTE palette = std::make_shared<Palette>(EntriesOf(StaticColors()));
    return palette;
}

unsigned GetPaletteEntries(const HPALETTE& palette, unsigned start, unsigned count, PALETTEENTRY* entries) {
    if (!palette) return 0;
    const auto& all = palette->Entries();
    if (!entries) return unsigned(all.size());  // the size query
    if (start >= all.size()) return 0;
    const unsigned n = std::min<unsigned>(count, unsigned(all.size()) - start);
    std::copy_n(all.begin() + start, n, entries);
    return n;
}

unsigned GetPaletteEntryCount(const HPALETTE& palette) { return palette ? unsigned(palette->Entries().size()) : 0; }

unsigned GetNearestPaletteIndex(const HPALETTE& palette, COLORREF color) {
    if (!palette) return CLR_INVALID;
    return palette->Colors().Nearest(RgbFromColorRef(color & 0xFFFFFF));
}

}  // namespace platform
