#pragma once
// The site's 640 x 480 rule: the size a picture of W x H is given.

#include <cstdint>

enum class TSizeRule { Width, Height, Fits };

struct TResultSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    TSizeRule Rule = TSizeRule::Fits;
};

constexpr std::int32_t kTargetWidth = 640;
constexpr std::int32_t kTargetHeight = 480;

// A height of 0 raises the runtime's floating-point failures: EZeroDivide, or EInvalidOp when
// the width is 0 too.
TResultSize ApplySizeRule(std::int32_t width, std::int32_t height);

// The window's preview shows the result at a quarter of each side (whole pixels, rounded down).
constexpr TResultSize PreviewSize(const TResultSize& result) {
    return {result.Width / 4, result.Height / 4, result.Rule};
}

// A result with a side of 0 holds no picture: it is refused, never written.
constexpr bool IsEmptyResult(std::int32_t width, std::int32_t height) { return width <= 0 || height <= 0; }
