#pragma once
// Rows handed from a decoder to a caller that keeps only the rows it samples, so that no bitmap
// of the whole picture is made: the JPEG, PNG and WebP pictures give them, the streamed drawing
// takes them.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/IccTransform.h"

// One decoded row: its index from the top, and `width` pixels of blue, green, red. The pointer
// is valid during the call only.
using TBgrRowSink = std::function<void(std::int32_t row, const std::uint8_t* bgr, std::int32_t width)>;

// Whether the caller samples row `row`; rows it does not are decoded (the decoder must pass
// them) but neither composed nor converted. Asked in rising order; empty means every row.
using TRowWanted = std::function<bool(std::int32_t row)>;

// A picture whose decoder can hand over its rows as stored (before any orientation or colour
// conversion the picture itself would apply), for a caller that keeps only the rows it samples.
class TRowSource {
public:
    // The rows top to bottom, with the transform that brings them to sRGB (null when they need
    // none) handed out in `toSrgb` before the first row. False, having given no row, when the
    // picture is to be drawn from a whole bitmap instead (one is held already, or the file or its
    // settings need one). Raises what decoding the whole picture would raise.
    virtual bool StreamRows(const TBgrRowSink& sink, const TRowWanted& wanted,
                            std::shared_ptr<const platform::IccTransform>& toSrgb) = 0;

protected:
    ~TRowSource() = default;
};
