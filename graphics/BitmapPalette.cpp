// Palettes of bitmaps and their colour tables.
#include "graphics/BitmapPalette.h"

#include <algorithm>

#include "graphics/BitmapCanvas.h"
#include "graphics/Exceptions.h"
#include "graphics/WorkContext.h"

namespace {
constexpr unsigned kStandardColors = 16;
constexpr unsigned kDisplayHalf = 8;  // a palette display's first and last eight entries

std::vector<platform::PALETTEENTRY> StandardEntries() {
    static constexpr std::uint32_t kRgb[kStandardColors] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                            0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                            0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    std::vector<platform::PALETTEENTRY> entries(kStandardColors);
    for (unsigned i = 0; i < kStandardColors; ++i)
        entries[i] = {std::uint8_t(kRgb[i] >> 16), std::uint8_t(kRgb[i] >> 8), std::uint8_t(kRgb[i]), 0};
    return entries;
}

// On a palette display the system's own static colours stand for the standard ones.
std::vector<platform::PALETTEENTRY> DisplayEntries() {
    const platform::HPALETTE system = platform::GetDefaultPalette();
    const unsigned count = system ? platform::GetPaletteEntryCount(system) : 0;
    if (count < kStandardColors) return StandardEntries();
    std::vector<platform::PALETTEENTRY> all(count), entries(kStandardColors);
    platform::GetPaletteEntries(system, 0, count, all.data());
    std::copy_n(all.begin(), kDisplayHalf, entries.begin());
    std::copy_n(all.end() - kDisplayHalf, kDisplayHalf, entries.begin() + kDisplayHalf);
    return entries;
}

bool DisplayHas16Colors() {
    if (!platform::PaletteDisplay()) return false;
    TScreenDC screen;
    return platform::GetDeviceCaps(screen.Handle(), platform::SIZEPALETTE) >= int(kStandardColors);
}
}  // namespace

const platform::HPALETTE& StandardPalette16() {
    static const platform::HPALETTE palette = [] {
        const auto entries = platform::PaletteDisplay() ? DisplayEntries() : StandardEntries();
        return platform::CreatePalette(entries.data(), unsigned(entries.size()));
    }();
    return palette;
}

platform::HPALETTE CopyPalette(const platform::HPALETTE& palette) {
    if (!palette) return nullptr;
    const unsigned count = platform::GetPaletteEntryCount(palette);
    if (count == 0) return nullptr;
    std::vector<platform::PALETTEENTRY> entries(count);
    platform::GetPaletteEntries(palette, 0, count, entries.data());
    platform::HPALETTE copy = platform::CreatePalette(entries.data(), count);
    if (!copy) RaiseLastPlatformError();
    return copy;
}

std::vector<platform::RGBQUAD> SectionColorTable(const platform::HBITMAP& section) {
    if (!section) return {};
    TBitmapCanvas::ReleaseContextsHolding(section);
    TWorkDC work;
    const platform::HBITMAP previous = platform::SelectObject(work.Handle(), section);
    std::vector<platform::RGBQUAD> table(kMaxPaletteEntries);
    const unsigned count = platform::GetDIBColorTable(work.Handle(), 0, kMaxPaletteEntries, table.data());
    table.resize(std::min(count, kMaxPaletteEntries));
    if (previous) platform::SelectObject(work.Handle(), previous);
    return table;
}

platform::HPALETTE PaletteFromColorTable(const std::vector<platform::RGBQUAD>& table) {
    if (table.empty()) return nullptr;
    if (table.size() == kStandardColors && DisplayHas16Colors()) return StandardPalette16();
    const std::size_t count = std::min<std::size_t>(table.size(), kMaxPaletteEntries);
    std::vector<platform::PALETTEENTRY> entries(count);
    for (std::size_t i = 0; i < count; ++i) entries[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    platform::HPALETTE palette = platform::CreatePalette(entries.data(), unsigned(count));
    if (!palette) RaiseLastPlatformError();
    return palette;
}

platform::HPALETTE PaletteFromColorTable(const platform::HBITMAP& section) {
    return PaletteFromColorTable(SectionColorTable(section));
}

std::vector<platform::RGBQUAD> ColorTableFromPalette(const platform::HPALETTE& palette, unsigned highestIndex) {
    if (!palette) return {};
    const unsigned count = std::min({platform::GetPaletteEntryCount(palette), highestIndex + 1, kMaxPaletteEntries});
    std::vector<platform::PALETTEENTRY> entries(count);
    platform::GetPaletteEntries(palette, 0, count, entries.data());
    std::vector<platform::RGBQUAD> table(count);
    for (unsigned i = 0; i < count; ++i) table[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    return table;
}
