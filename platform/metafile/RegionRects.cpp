#include "platform/metafile/RegionRects.h"

#include <algorithm>

#include "platform/LittleEndian.h"
#include "platform/metafile/MetafileLimits.h"

namespace platform {

namespace {

constexpr std::size_t kRegionHeaderBytes = 32, kRectBytes = 16;
constexpr std::uint32_t RDH_RECTANGLES = 1;

}  // namespace

std::vector<RECT> RegionRects(const RecordReader& data) {
    const std::uint32_t count = std::min(data.U32(8), kMaxRegionRects);
    std::vector<RECT> rects;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = kRegionHeaderBytes + kRectBytes * std::size_t(i);
        if (at + kRectBytes > data.Size()) break;
        rects.push_back(data.RectL(at));
    }
    return rects;
}

RECT BoundsOf(const std::vector<RECT>& rects) {
    RECT bounds{0, 0, 0, 0};
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const RECT& c = rects[i];
        bounds = i == 0 ? c
                        : RECT{std::min(bounds.left, c.left), std::min(bounds.top, c.top),
                               std::max(bounds.right, c.right), std::max(bounds.bottom, c.bottom)};
    }
    return bounds;
}

std::vector<std::uint8_t> RegionDataOf(const std::vector<RECT>& rects) {
    const RECT bounds = BoundsOf(rects);
    std::vector<std::uint8_t> data;
    const auto count = std::int32_t(rects.size());
    for (std::int32_t v : {std::int32_t(kRegionHeaderBytes), std::int32_t(RDH_RECTANGLES), count,
                           count * std::int32_t(kRectBytes), bounds.left, bounds.top, bounds.right, bounds.bottom})
        AppendLittleU32(data, std::uint32_t(v));
    for (const RECT& c : rects)
        for (std::int32_t v : {c.left, c.top, c.right, c.bottom}) AppendLittleU32(data, std::uint32_t(v));
    return data;
}

}  // namespace platform
