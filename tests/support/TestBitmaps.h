#pragma once
// 24-bit bitmaps made in memory for tests and benchmarks, and the mean difference of two pictures.

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "graphics/Bitmap.h"

namespace testsupport {

// A 24-bit bitmap whose pixel (x, y) is colour(x, y), any value with r, g and b members.
template <class Colour>
std::unique_ptr<TBitmap> MakeBitmap(int width, int height, const Colour& colour) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->ChangeDepth(TPixelDepth::Bits24);
    bitmap->ResizeWidth(width);
    bitmap->ResizeHeight(height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap->ScanRow(y);
        for (int x = 0; x < width; ++x) {
            const auto c = colour(x, y);
            row[3 * x] = std::uint8_t(c.b);
            row[3 * x + 1] = std::uint8_t(c.g);
            row[3 * x + 2] = std::uint8_t(c.r);
        }
    }
    return bitmap;
}

// The mean absolute difference per channel of two pictures of one size, both seen in 24 bits.
inline double MeanDifference(TBitmap& first, TBitmap& second) {
    TBitmap a, b;
    a.CopyFrom(&first);
    a.ChangeDepth(TPixelDepth::Bits24);
    b.CopyFrom(&second);
    b.ChangeDepth(TPixelDepth::Bits24);
    double sum = 0;
    for (int y = 0; y < a.ImageHeight(); ++y) {
        const std::uint8_t* p = a.ReadScanRow(y);
        const std::uint8_t* q = b.ReadScanRow(y);
        for (int i = 0; i < 3 * a.ImageWidth(); ++i) sum += std::abs(int(p[i]) - int(q[i]));
    }
    return sum / (3.0 * a.ImageWidth() * a.ImageHeight());
}

}  // namespace testsupport
