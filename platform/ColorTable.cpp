#include "platform/ColorTable.h"

namespace platform {

ColorTable::ColorTable(std::vector<Rgb> colors) : colors_(std::move(colors)) {
    for (Rgb& c : colors_) c &= 0xFFFFFF;
}

ColorTable::ColorTable(const ColorTable& other) : colors_(other.colors_) {}

ColorTable& ColorTable::operator=(const ColorTable& other) {
    if (this != &other) {
        colors_ = other.colors_;
        DropCache();
    }
    return *this;
}

ColorTable::~ColorTable() { DropCache(); }

void ColorTable::DropCache() { delete[] cache_.exchange(nullptr); }

void ColorTable::Set(std::size_t index, Rgb color) {
    if (index >= colors_.size()) return;
    colors_[index] = color & 0xFFFFFF;
    DropCache();
}

ColorTable::Slot* ColorTable::Cache() const {
    Slot* cache = cache_.load(std::memory_order_acquire);
    if (cache) return cache;
    Slot* fresh = new Slot[kCacheSlots];
    for (std::size_t i = 0; i < kCacheSlots; ++i) fresh[i].store(0, std::memory_order_relaxed);
    if (cache_.compare_exchange_strong(cache, fresh, std::memory_order_acq_rel)) return fresh;
    delete[] fresh;  // another thread made it first
    return cache;
}

unsigned ColorTable::Nearest(Rgb color) const {
    color &= 0xFFFFFF;
    if (colors_.empty()) return 0;
    // Photographs repeat colours heavily; a direct-mapped cache spares most full searches.
    Slot& slot = Cache()[(color * 2654435761u) >> 20 & (kCacheSlots - 1)];
    const std::uint64_t key = kFilled | std::uint64_t(color) << 16;
    const std::uint64_t cached = slot.load(std::memory_order_relaxed);
    if ((cached & ~std::uint64_t(0xFFFF)) == key) return unsigned(cached & 0xFFFF);
    const unsigned index = Search(color);
    slot.store(key | index, std::memory_order_relaxed);
    return index;
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
