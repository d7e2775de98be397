#pragma once
// The weights of a Lanczos-3 reduction along one axis: for every target pixel, the run of source
// pixels it takes and how much of each. Target pixel centres map onto the source as the stretch
// maps them; when shrinking, the kernel is widened by the ratio so that it also averages away
// the detail the target cannot hold. At the picture's edges the weights of the pixels that
// exist are scaled to sum to one, so a flat picture stays flat up to its borders.

#include <cstdint>
#include <vector>

class TLanczosAxis {
public:
    // `sourceCount` pixels are present; `sourceExtent` (at most sourceCount) is how many of them
    // the picture spans, less when the last one is only partly covered, as in a picture decoded
    // at a reduced scale whose size was rounded up.
    TLanczosAxis(std::int32_t sourceCount, double sourceExtent, std::int32_t targetCount);

    std::int32_t TargetCount() const { return std::int32_t(first_.size()); }
    // Source pixels [First(t), First(t) + Taps(t)) make target pixel t.
    std::int32_t First(std::int32_t t) const { return first_[std::size_t(t)]; }
    std::int32_t Taps(std::int32_t t) const { return taps_[std::size_t(t)]; }
    const float* Weights(std::int32_t t) const { return weights_.data() + offset_[std::size_t(t)]; }
    // The last source pixel target pixel t takes.
    std::int32_t Last(std::int32_t t) const { return First(t) + Taps(t) - 1; }
    std::int32_t MaxTaps() const { return maxTaps_; }

private:
    void AddTarget(double centre, double support, double scale, std::int32_t sourceCount);

    std::vector<std::int32_t> first_, taps_;
    std::vector<std::size_t> offset_;
    std::vector<float> weights_;
    std::int32_t maxTaps_ = 0;
};
