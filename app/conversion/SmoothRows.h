#pragma once
// A separable Lanczos-3 reduction of a picture that arrives row by row, top down. The last few
// source rows are kept, as many as the vertical kernel spans; each target row is made as soon as
// the last source row it needs has come: first down (the kept rows weighted into one row of the
// source's width, a loop over contiguous samples), then across. The picture itself is never held.

#include <cstdint>
#include <functional>
#include <vector>

#include "app/conversion/LanczosAxis.h"

// The source as it arrives and the target it is reduced to. The extents are the part of the
// source the picture spans, in source pixels (see TLanczosAxis); normally the source's sides.
struct TSmoothGeometry {
    std::int32_t sourceWidth = 0, sourceHeight = 0;
    double extentX = 0, extentY = 0;
    std::int32_t targetWidth = 0, targetHeight = 0;
};

class TSmoothRows {
public:
    // A finished target row: `targetWidth` pixels of blue, green, red, valid during the call.
    using RowSink = std::function<void(std::int32_t row, const std::uint8_t* bgr)>;

    TSmoothRows(const TSmoothGeometry& geometry, RowSink sink);

    // Source row `row` (sourceWidth pixels of blue, green, red); rows come in order from 0.
    // Target rows whose source rows never come are never made.
    void Add(std::int32_t row, const std::uint8_t* bgr);

private:
    void EmitReady(std::int32_t lastRow);
    void MakeTargetRow(std::int32_t target);
    void FilterDown(std::int32_t target);
    void FilterAcross();

    TLanczosAxis across_, down_;
    RowSink sink_;
    std::size_t rowBytes_;
    std::int32_t nextTarget_ = 0;
    std::vector<std::uint8_t> ring_;  // source row r in slot r % down_.MaxTaps()
    std::vector<float> column_;       // the target row filtered down, at the source's width
    std::vector<std::uint8_t> out_;
};
