// Bitmap16 rows are copied into DIB rows: four-byte padded and stored bottom row first.
#include "platform/metafile/Bitmap16.h"

#include <algorithm>

#include "platform/LittleEndian.h"
#include "platform/PixelFormat.h"
#include "platform/metafile/MetafileLimits.h"

namespace platform {

std::optional<std::vector<std::uint8_t>> DibFromBitmap16(const RecordReader& header,
                                                         std::span<const std::uint8_t> bits) {
    const std::int32_t width = header.I16(2), height = header.I16(4);
    const std::size_t rowBytes = header.U16(6);
    const std::uint32_t planes = header.U8(8), depth = header.U8(9);
    if (planes != 1 || (depth != 1 && depth != 24 && depth != 32)) return std::nullopt;
    if (width <= 0 || height <= 0 || std::uint64_t(width) * std::uint64_t(height) > kMaxRecordBitmapPixels)
        return std::nullopt;
    const std::size_t used = RowBytes(width, int(depth), 1);
    if (rowBytes < used || bits.size() / rowBytes < std::size_t(height)) return std::nullopt;
    const std::size_t stride = RowBytes(width, int(depth), 4);
    std::vector<std::uint8_t> dib;
    dib.reserve(48 + stride * std::size_t(height));
    for (std::uint32_t v : {40u, std::uint32_t(width), std::uint32_t(height)}) AppendLittleU32(dib, v);
    AppendLittleU16(dib, 1);
    AppendLittleU16(dib, std::uint16_t(depth));
    const std::uint32_t colours = depth == 1 ? 2 : 0;
    for (std::uint32_t v : {0u, std::uint32_t(stride * std::size_t(height)), 0u, 0u, colours, 0u})
        AppendLittleU32(dib, v);
    if (depth == 1) {
        AppendLittleU32(dib, 0x000000);
        AppendLittleU32(dib, 0xFFFFFF);
    }
    for (std::int32_t y = height - 1; y >= 0; --y) {
        const auto row = bits.subspan(std::size_t(y) * rowBytes, used);
        dib.insert(dib.end(), row.begin(), row.end());
        dib.resize(dib.size() + stride - used, 0);
    }
    return dib;
}

}  // namespace platform
