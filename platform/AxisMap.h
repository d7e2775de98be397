#pragma once
// How one axis of a blit maps target pixels onto source pixels, clipped to both surfaces.
// A negative extent runs from start + extent up to start; opposite signs mirror the axis.

#include <cstdint>
#include <vector>

namespace platform {

struct AxisSpan {
    std::int32_t start = 0;
    std::int32_t extent = 0;
    std::int32_t limit = 0;  // the surface's size on this axis
};

class AxisMap {
public:
    AxisMap(AxisSpan target, AxisSpan source);

    bool Empty() const { return count_ <= 0; }
    std::int32_t First() const { return first_; }  // first target coordinate drawn
    std::int32_t Count() const { return count_; }
    // Source pixel of target pixel First() + i: the one under its centre.
    const std::int32_t* Samples() const { return samples_.data(); }
    std::int32_t Sample(std::int32_t i) const { return samples_[std::size_t(i)]; }
    // The source pixels [lo, hi) that cover target pixel First() + i, for area averaging.
    std::int32_t BoxLow(std::int32_t i) const { return boxes_[2 * std::size_t(i)]; }
    std::int32_t BoxHigh(std::int32_t i) const { return boxes_[2 * std::size_t(i) + 1]; }
    bool Identity() const { return identity_; }  // equal extents, no mirroring

private:
    void Trim(std::int32_t sourceLimit);

    std::int32_t first_ = 0;
    std::int32_t count_ = 0;
    bool identity_ = false;
    std::vector<std::int32_t> samples_;
    std::vector<std::int32_t> boxes_;
};

}  // namespace platform
