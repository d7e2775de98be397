#include "app/conversion/SmoothRows.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint8_t ToByte(float value) { return std::uint8_t(std::clamp(value, 0.0f, 255.0f) + 0.5f); }

}  // namespace

TSmoothRows::TSmoothRows(const TSmoothGeometry& geometry, RowSink sink)
    : across_(geometry.sourceWidth, geometry.extentX, geometry.targetWidth),
      down_(geometry.sourceHeight, geometry.extentY, geometry.targetHeight), sink_(std::move(sink)),
      rowBytes_(std::size_t(geometry.sourceWidth) * 3), ring_(std::size_t(down_.MaxTaps()) * rowBytes_),
      column_(rowBytes_), out_(std::size_t(geometry.targetWidth) * 3) {}

void TSmoothRows::Add(std::int32_t row, const std::uint8_t* bgr) {
    // Rows above every target row still to come, or below the last, are of no use.
    if (nextTarget_ >= down_.TargetCount() || row < down_.First(nextTarget_)) return;
    std::memcpy(ring_.data() + std::size_t(row % down_.MaxTaps()) * rowBytes_, bgr, rowBytes_);
    EmitReady(row);
}

void TSmoothRows::EmitReady(std::int32_t lastRow) {
    while (nextTarget_ < down_.TargetCount() && down_.Last(nextTarget_) <= lastRow) MakeTargetRow(nextTarget_++);
}

void TSmoothRows::MakeTargetRow(std::int32_t target) {
    FilterDown(target);
    FilterAcross();
    sink_(target, out_.data());
}

void TSmoothRows::FilterDown(std::int32_t target) {
    std::fill(column_.begin(), column_.end(), 0.0f);
    const float* weight = down_.Weights(target);
    for (std::int32_t k = 0; k < down_.Taps(target); ++k) {
        const std::uint8_t* row = ring_.data() + std::size_t((down_.First(target) + k) % down_.MaxTaps()) * rowBytes_;
        const float w = weight[k];
        float* sum = column_.data();
        for (std::size_t i = 0; i < rowBytes_; ++i) sum[i] += w * float(row[i]);
    }
}

void TSmoothRows::FilterAcross() {
    for (std::int32_t t = 0; t < across_.TargetCount(); ++t) {
        const float* weight = across_.Weights(t);
        const float* pixel = column_.data() + std::size_t(across_.First(t)) * 3;
        float b = 0, g = 0, r = 0;
        for (std::int32_t k = 0; k < across_.Taps(t); ++k, pixel += 3) {
            b += weight[k] * pixel[0];
            g += weight[k] * pixel[1];
            r += weight[k] * pixel[2];
        }
        out_[3 * std::size_t(t)] = ToByte(b);
        out_[3 * std::size_t(t) + 1] = ToByte(g);
        out_[3 * std::size_t(t) + 2] = ToByte(r);
    }
}
