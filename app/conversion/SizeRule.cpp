#include "app/conversion/SizeRule.h"

#include "graphics/Exceptions.h"
#include "graphics/Messages.h"

namespace {

// The threshold as the nearest extended-precision number to 1.32; equality is not "wider".
constexpr long double kWideRatio = 1.32L;

// Extended precision on purpose: 105 x 100 must give 503, as with a 64-bit significand.
std::int32_t ScaledSide(std::int32_t numerator, std::int32_t denominator, std::int32_t target) {
    const long double ratio = static_cast<long double>(numerator) / static_cast<long double>(denominator);
    // Each rule's quotient is at most 640 / 1 (width 640, height rule), so the product fits.
    const long double product = ratio * static_cast<long double>(target);
    return static_cast<std::int32_t>(product);  // truncation toward zero
}

}  // namespace

TResultSize ApplySizeRule(std::int32_t width, std::int32_t height) {
    // Every rule divides by the height; the runtime reports 0/0 and x/0 differently.
    if (height == 0) {
        if (width == 0) throw EInvalidOp(msg::SInvalidOp);
        throw EZeroDivide(msg::SZeroDivide);
    }
    const long double ratio = static_cast<long double>(width) / static_cast<long double>(height);
    if (height <= width && width != kTargetWidth && ratio > kWideRatio)
        return {kTargetWidth, ScaledSide(height, width, kTargetWidth), TSizeRule::Width};
    if (height != kTargetHeight) return {ScaledSide(width, height, kTargetHeight), kTargetHeight, TSizeRule::Height};
    return {width, height, TSizeRule::Fits};
}
