#include "app/conversion/LanczosAxis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kLobes = 3;

double Sinc(double x) {
    if (x == 0) return 1;
    const double px = std::numbers::pi * x;
    return std::sin(px) / px;
}

double Lanczos(double x) { return std::abs(x) < kLobes ? Sinc(x) * Sinc(x / kLobes) : 0; }

}  // namespace

TLanczosAxis::TLanczosAxis(std::int32_t sourceCount, double sourceExtent, std::int32_t targetCount) {
    const double ratio = sourceExtent / targetCount;
    // Enlarging interpolates with the plain kernel; shrinking stretches it over `ratio` pixels.
    const double scale = std::max(1.0, ratio);
    const double support = kLobes * scale;
    first_.reserve(std::size_t(targetCount));
    for (std::int32_t t = 0; t < targetCount; ++t) AddTarget((t + 0.5) * ratio - 0.5, support, scale, sourceCount);
}

void TLanczosAxis::AddTarget(double centre, double support, double scale, std::int32_t sourceCount) {
    const auto low = std::clamp(std::int32_t(std::floor(centre - support)) + 1, 0, sourceCount - 1);
    const auto high = std::clamp(std::int32_t(std::ceil(centre + support)) - 1, low, sourceCount - 1);
    std::vector<double> weights;
    double sum = 0;
    for (std::int32_t s = low; s <= high; ++s) {
        weights.push_back(Lanczos((s - centre) / scale));
        sum += weights.back();
    }
    // Trim taps of no weight at both ends, then make the rest sum to one.
    std::size_t begin = 0, end = weights.size();
    while (end - begin > 1 && weights[begin] == 0) ++begin;
    while (end - begin > 1 && weights[end - 1] == 0) --end;
    first_.push_back(low + std::int32_t(begin));
    taps_.push_back(std::int32_t(end - begin));
    offset_.push_back(weights_.size());
    for (std::size_t i = begin; i < end; ++i) weights_.push_back(float(sum != 0 ? weights[i] / sum : 1.0));
    maxTaps_ = std::max(maxTaps_, taps_.back());
}
