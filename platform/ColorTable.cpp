#include "platform/ColorTable.h"

namespace platform {

ColorTable::ColorTable(std::vector<Rgb> colors) : colors_(std::move(colors)) {
    for (Rgb& c : colors_) c &= 0xFFFFFF;
}

ColorTable::ColorTable(const ColorTable& other) : colors_(other.colors_) {}

ColorTable& ColorTable::operator=(const ColorTable& other) {
    if (this != &other) {
        colors_ = other.colors_;
        cache_.reset();
    }
    return *this;
}

void ColorTable::Set(std::size_t index, Rgb color) {
    if (index >= colors_.size()) return;
    colors_[index] = color & 0xFFFFFF;
    cache_.reset();
}

unsigned ColorTable::Nearest(Rgb color) const {
    color &= 0xFFFFFF;
    if (colors_.empty()) return 0;
    if (!cache_) cache_ = std::make_unique<Slot[]>(kCacheSlots);
    // Photographs repeat colours heavily; a direct-mapped cache spares most full searches.
    Slot& slot = cache_[(color * 2654435761u) >> 20 & (kCacheSlots - 1)];
    if (slot.key != color) {
        slot.key = color;
        slot.index = std::uint16_t(Search(color));
    }
    return slot.index;
}

unsigned ColorTable::Search(Rgb color) const {
    const int r = int(color >> 16), g = int(color >> 8 & 0xFF), b = int(color & 0xFF);
    unsigned best = 0;
    int bestDistance = 0x7FFFFFFF;
    for (std::size_t i = 0; i < colors_.size(); ++i) {
        const Rgb c = colors_[i];
        const int dr = int(c >> 16) - r, dg = int(c >> 8 & 0xFF) - g, db = int(c & 0xFF) - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = unsigned(i);
            if (distance == 0) break;
        }
    }
    return best;
}

}  // namespace platform
