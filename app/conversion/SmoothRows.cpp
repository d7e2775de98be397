#include "app/conversion/SmoothRows.h"

#include <algorithm>

namespace {

std::uint8_t ToByte(float value) { return std::uint8_t(std::clamp(value, 0.0f, 255.0f) + 0.5f); }

}  // namespace

TSmoothRows::TSmoothRows(const TSmoothGeometry& geometry, RowSink sink)
    : across_(geometry.sourceWidth, geometry.extentX, geometry.targetWidth),
      down_(geometry.sourceHeight, geometry.extentY, geometry.targetHeight), sink_(std::move(sink)),
      sourceWidth_(geometry.sourceWidth), source_(std::size_t(geometry.sourceWidth) * 3),
      ring_(std::size_t(down_.MaxTaps()) * std::size_t(geometry.targetWidth) * 3),
      sum_(std::size_t(geometry.targetWidth) * 3), out_(std::size_t(geometry.targetWidth) * 3) {}

void TSmoothRows::Add(std::int32_t row, const std::uint8_t* bgr) {
    // Rows above every target row still to come, or below the last, are of no use.
    if (nextTarget_ >= down_.TargetCount() || row < down_.First(nextTarget_)) return;
    const std::size_t width = std::size_t(across_.TargetCount()) * 3;
    FilterAcross(bgr, ring_.data() + std::size_t(row % down_.MaxTaps()) * width);
    EmitReady(row);
}

void TSmoothRows::FilterAcross(const std::uint8_t* bgr, float* out) {
    std::transform(bgr, bgr + std::size_t(sourceWidth_) * 3, source_.begin(), [](std::uint8_t v) { return float(v); });
    for (std::int32_t t = 0; t < across_.TargetCount(); ++t) {
        const float* weight = across_.Weights(t);
        const float* pixel = source_.data() + std::size_t(across_.First(t)) * 3;
        float b = 0, g = 0, r = 0;
        for (std::int32_t k = 0; k < across_.Taps(t); ++k, pixel += 3) {
            b += weight[k] * pixel[0];
            g += weight[k] * pixel[1];
            r += weight[k] * pixel[2];
        }
        out[3 * t] = b;
        out[3 * t + 1] = g;
        out[3 * t + 2] = r;
    }
}

void TSmoothRows::EmitReady(std::int32_t lastRow) {
    while (nextTarget_ < down_.TargetCount() && down_.Last(nextTarget_) <= lastRow) MakeTargetRow(nextTarget_++);
}

void TSmoothRows::MakeTargetRow(std::int32_t target) {
    const std::size_t width = sum_.size();
    std::fill(sum_.begin(), sum_.end(), 0.0f);
    const float* weight = down_.Weights(target);
    for (std::int32_t k = 0; k < down_.Taps(target); ++k) {
        const std::int32_t row = down_.First(target) + k;
        const float* filtered = ring_.data() + std::size_t(row % down_.MaxTaps()) * width;
        for (std::size_t i = 0; i < width; ++i) sum_[i] += weight[k] * filtered[i];
    }
    std::transform(sum_.begin(), sum_.end(), out_.begin(), ToByte);
    sink_(target, out_.data());
}
