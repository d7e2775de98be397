#pragma once
// Expands run-length encoded pixels (BI_RLE8, BI_RLE4) row by row. Rows come out in stored order
// (the bottom row first); pixels the data skips (deltas, early ends of line, damaged or missing
// data) are not set. Nothing is read past the data and nothing is set outside width x height.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class RleRowSink {
public:
    virtual ~RleRowSink() = default;
    // indices[x] is meaningful where set[x] != 0.
    virtual void Row(std::int32_t storedRow, const std::uint8_t* indices, const std::uint8_t* set) = 0;
};

class RleDecoder {
public:
    RleDecoder(int bitsPerPixel, std::int32_t width, std::int32_t height);
    void Decode(const std::uint8_t* data, std::size_t size, RleRowSink& sink);

private:
    void Put(std::uint8_t index);
    void Run(std::uint8_t count, std::uint8_t value);
    // Absolute mode: `count` literal pixels, padded to a 16-bit boundary; false when data ran out.
    bool Literal(std::uint8_t count);
    void NextRows(std::int32_t rows, RleRowSink& sink);
    void Flush(RleRowSink& sink);

    int bits_;
    std::int32_t width_, height_;
    std::int32_t x_ = 0, y_ = 0;
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0, pos_ = 0;
    std::vector<std::uint8_t> indices_, set_;
    bool dirty_ = false;
};

}  // namespace platform
