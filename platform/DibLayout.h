#pragma once
// The layout a BITMAPINFO describes for pixels held outside any surface: the pixels CreateDIBitmap
// reads and GetDIBits writes.

#include <cstdint>
#include <optional>

#include "platform/ColorTable.h"
#include "platform/PixelFormat.h"

namespace platform {

// A colour table may not list more entries than the bit count can index; beyond 8 bits none is used.
constexpr std::uint32_t kMaxColorTableEntries = 256;

struct DibLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;  // positive
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = BI_RGB;
    std::array<std::uint32_t, 3> masks{};
    std::size_t stride = 0;
    std::size_t imageSize = 0;  // stride x height, or the encoded size for run-length data

    // Stored row of the picture row y (0 = top).
    std::size_t StoredRow(std::int64_t y) const { return std::size_t(topDown ? y : height - 1 - y); }
};

// The layout of `header` with the masks of `info`; nothing for shapes and formats that are not
// valid uncompressed or run-length pixel data, or that exceed the surface size limit.
std::optional<DibLayout> LayoutOf(const BITMAPINFOHEADER& header, const std::array<std::uint32_t, 3>& masks);

// The colour table of a BITMAPINFO as the bit count uses it (biClrUsed entries, or all of them).
std::vector<Rgb> ColorTableOf(const BITMAPINFO& info, int bitsPerPixel);

}  // namespace platform
