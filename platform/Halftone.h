#pragma once
// HALFTONE stretching: each target pixel takes the average of the source pixels its area covers.
// A palette target then stores the nearest colour of its table.

#include <cstdint>
#include <vector>

#include "platform/AxisMap.h"
#include "platform/BlitSource.h"

namespace platform {

class AreaAverager {
public:
    AreaAverager(const BlitSource& source, const AxisMap& columns);
    // The averaged row for the source rows [low, high).
    void Row(std::int32_t low, std::int32_t high, Rgb* out);

private:
    const BlitSource& source_;
    const AxisMap& columns_;
    std::int32_t spanLow_ = 0, spanHigh_ = 0;  // source columns any box touches
    std::vector<Rgb> line_;
    std::vector<std::uint64_t> sums_;  // red, green, blue per target column
};

}  // namespace platform
