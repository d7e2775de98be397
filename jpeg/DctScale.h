#pragma once
// Decoding at a reduced size: libjpeg-turbo's inverse DCT can give N/8 of the picture's size
// directly (N = 1..16), for hardly more than the cost of entropy decoding at the smallest scales.
// A reduction that only needs a small result decodes at the smallest such size that still holds
// the result, and filters the rest of the way.

#include <cstdint>

namespace jpeg {

// The denominator of every scale: sizes are N eighths of the picture's.
inline constexpr int DctScaleDenominator = 8;
// The largest N that gives no more than the full picture; larger ones enlarge, which a
// reduction never needs.
inline constexpr int FullDctScale = 8;

// One side decoded at `eighths`/8: the library rounds a partial pixel up.
std::int32_t DctScaledSide(std::int32_t side, int eighths);

// The smallest N for which both decoded sides are at least the target's; 8 when even the full
// picture is smaller than the target on a side.
int SmallestDctScale(std::int32_t width, std::int32_t height, std::int32_t targetWidth, std::int32_t targetHeight);

}  // namespace jpeg
