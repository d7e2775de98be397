#include "platform/Halftone.h"

#include <algorithm>

namespace platform {

AreaAverager::AreaAverager(const BlitSource& source, const AxisMap& columns) : source_(source), columns_(columns) {
    if (columns.Empty()) return;
    spanLow_ = spanHigh_ = columns.BoxLow(0);
    for (std::int32_t i = 0; i < columns.Count(); ++i) {
        spanLow_ = std::min(spanLow_, columns.BoxLow(i));
        spanHigh_ = std::max(spanHigh_, columns.BoxHigh(i));
    }
    line_.resize(std::size_t(spanHigh_ - spanLow_));
    sums_.resize(3 * std::size_t(columns.Count()));
}

void AreaAverager::Row(std::int32_t low, std::int32_t high, Rgb* out) {
    std::fill(sums_.begin(), sums_.end(), 0);
    const std::int32_t n = columns_.Count();
    for (std::int32_t y = low; y < high; ++y) {
        source_.Read(y, spanLow_, spanHigh_ - spanLow_, line_.data());
        for (std::int32_t i = 0; i < n; ++i) {
            std::uint64_t r = 0, g = 0, b = 0;
            for (std::int32_t x = columns_.BoxLow(i); x < columns_.BoxHigh(i); ++x) {
                const Rgb c = line_[std::size_t(x - spanLow_)];
                r += c >> 16;
                g += c >> 8 & 0xFF;
                b += c & 0xFF;
            }
            sums_[3 * std::size_t(i)] += r;
            sums_[3 * std::size_t(i) + 1] += g;
            sums_[3 * std::size_t(i) + 2] += b;
        }
    }
    for (std::int32_t i = 0; i < n; ++i) {
        const std::uint64_t area = std::uint64_t(std::max(high - low, 1)) *
                                   std::uint64_t(std::max(columns_.BoxHigh(i) - columns_.BoxLow(i), 1));
        const auto mean = [&](int c) { return Rgb((sums_[3 * std::size_t(i) + std::size_t(c)] + area / 2) / area); };
        out[i] = mean(0) << 16 | mean(1) << 8 | mean(2);
    }
}

}  // namespace platform
