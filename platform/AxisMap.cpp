#include "platform/AxisMap.h"

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {
struct Range {
    std::int64_t low, size;
    bool reversed;
};
// a * b / c for non-negative operands, rounded down or up.
std::int64_t Scale(std::int64_t a, std::int64_t b, std::int64_t c, bool roundUp = false) {
    const std::int64_t bias = roundUp ? c - 1 : 0;
    // The 64-bit division when the sum fits, as it does for any surface of usual size: the
    // 128-bit one is a library call several times slower, and both give the same quotient.
    std::int64_t product = 0, sum = 0;
    if (!__builtin_mul_overflow(a, b, &product) && !__builtin_add_overflow(product, bias, &sum)) return sum / c;
    return std::int64_t((__int128(a) * b + bias) / c);
}

Range Normalise(const AxisSpan& s) {
    return s.extent < 0 ? Range{std::int64_t(s.start) + s.extent, -std::int64_t(s.extent), true}
                        : Range{s.start, s.extent, false};
}
}  // namespace

AxisMap::AxisMap(AxisSpan target, AxisSpan source) {
    const Range t = Normalise(target), s = Normalise(source);
    if (t.size == 0 || s.size == 0) return;
    const bool mirror = t.reversed != s.reversed;
    identity_ = t.size == s.size && !mirror;
    const std::int64_t from = std::max<std::int64_t>(t.low, 0);
    const std::int64_t to = std::min<std::int64_t>(t.low + t.size, target.limit);
    if (to <= from) return;
    first_ = std::int32_t(from);
    count_ = std::int32_t(to - from);
    samples_.resize(std::size_t(count_));
    boxes_.resize(2 * std::size_t(count_));
    for (std::int64_t k = from - t.low, i = 0; i < count_; ++k, ++i) {
        // Centre of target pixel k is k + 1/2; scaled into the source and rounded down. Products of
        // two 33-bit values need more than 64 bits.
        std::int64_t j = Scale(2 * k + 1, s.size, 2 * t.size);
        // Every source pixel the target pixel's area touches.
        std::int64_t lo = Scale(k, s.size, t.size), hi = Scale(k + 1, s.size, t.size, true);
        if (mirror) {
            j = s.size - 1 - j;
            const std::int64_t mirroredLow = s.size - hi;
            hi = s.size - lo;
            lo = mirroredLow;
        }
        samples_[std::size_t(i)] = std::int32_t(std::clamp<std::int64_t>(s.low + j, INT32_MIN, INT32_MAX));
        boxes_[2 * std::size_t(i)] = std::int32_t(std::clamp<std::int64_t>(s.low + lo, 0, source.limit));
        boxes_[2 * std::size_t(i) + 1] = std::int32_t(std::clamp<std::int64_t>(s.low + hi, 0, source.limit));
    }
    Trim(source.limit);
}

void AxisMap::Trim(std::int32_t sourceLimit) {
    // Samples are monotonic, so those inside the source form one run.
    const auto inside = [sourceLimit](std::int32_t v) { return v >= 0 && v < sourceLimit; };
    std::int32_t lead = 0;
    while (lead < count_ && !inside(samples_[std::size_t(lead)])) ++lead;
    std::int32_t end = count_;
    while (end > lead && !inside(samples_[std::size_t(end - 1)])) --end;
    samples_.erase(samples_.begin() + end, samples_.end());
    samples_.erase(samples_.begin(), samples_.begin() + lead);
    boxes_.erase(boxes_.begin() + 2 * std::ptrdiff_t(end), boxes_.end());
    boxes_.erase(boxes_.begin(), boxes_.begin() + 2 * std::ptrdiff_t(lead));
    first_ += lead;
    count_ = end - lead;
}

}  // namespace platform
