#include "jpeg/DctScale.h"

namespace jpeg {

std::int32_t DctScaledSide(std::int32_t side, int eighths) {
    const std::int64_t scaled = std::int64_t(side) * eighths;
    return std::int32_t((scaled + DctScaleDenominator - 1) / DctScaleDenominator);
}

int SmallestDctScale(std::int32_t width, std::int32_t height, std::int32_t targetWidth, std::int32_t targetHeight) {
    for (int eighths = 1; eighths < FullDctScale; ++eighths)
        if (DctScaledSide(width, eighths) >= targetWidth && DctScaledSide(height, eighths) >= targetHeight)
            return eighths;
    return FullDctScale;
}

}  // namespace jpeg
