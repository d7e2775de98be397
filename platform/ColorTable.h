#pragma once
// A list of colours with a cached nearest-colour search; colour tables of surfaces and
// logical palettes both use it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/GdiTypes.h"

namespace platform {

// Inside the raster service colours are 0x00RRGGBB, the value of a 32-bit blue-green-red-unused
// pixel, so the common display format needs no swapping.
using Rgb = std::uint32_t;

constexpr Rgb RgbFromColorRef(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
constexpr COLORREF ColorRefFromRgb(Rgb c) { return RgbFromColorRef(c); }
constexpr Rgb RgbFromQuad(const RGBQUAD& q) { return (Rgb(q.rgbRed) << 16) | (Rgb(q.rgbGreen) << 8) | q.rgbBlue; }
constexpr RGBQUAD QuadFromRgb(Rgb c) {
    return RGBQUAD{std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16), 0};
}

class ColorTable {
public:
    ColorTable() = default;
    explicit ColorTable(std::vector<Rgb> colors);
    ColorTable(const ColorTable& other);
    ColorTable& operator=(const ColorTable& other);
    ~ColorTable();

    std::size_t Size() const { return colors_.size(); }
    bool Empty() const { return colors_.empty(); }
    Rgb At(std::size_t index) const { return index < colors_.size() ? colors_[index] : 0; }
    const std::vector<Rgb>& Colors() const { return colors_; }
    void Set(std::size_t index, Rgb color);

    // Index of the entry closest to `color` (squared distance, first of equals); 0 when empty.
    // Safe to call from several threads at once (shared stock palettes are searched so); changing
    // the table is not.
    unsigned Nearest(Rgb color) const;

private:
    // A cache slot packs a filled flag, the colour and its entry index into one atomic word, so
    // threads searching one table at the same time never see half a slot.
    using Slot = std::atomic<std::uint64_t>;
    static constexpr std::uint64_t kFilled = std::uint64_t(1) << 40;
    static constexpr std::size_t kCacheSlots = 4096;

    unsigned Search(Rgb color) const;
    Slot* Cache() const;
    void DropCache();

    std::vector<Rgb> colors_;
    mutable std::atomic<Slot*> cache_{nullptr};  // made on first search, dropped on change
};

}  // namespace platform
