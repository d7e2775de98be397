#include "jpeg/CmykRows.h"

namespace jpeg {
namespace {

// (a * b) / 255, rounded.
inline std::uint8_t Scale(unsigned a, unsigned b) { return std::uint8_t((a * b + 127) / 255); }

// The luminance weights of JPEG's own colour conversion, in thousandths.
inline std::uint8_t Luminance(unsigned r, unsigned g, unsigned b) {
    return std::uint8_t((r * 299 + g * 587 + b * 114 + 500) / 1000);
}

}  // namespace

void CmykRowToBgr(const std::uint8_t* cmyk, std::uint8_t* bgr, std::size_t width, bool inverted, bool gray) {
    const unsigned flip = inverted ? 0 : 255;
    for (std::size_t x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const unsigned k = cmyk[3] ^ flip;
        const std::uint8_t r = Scale(cmyk[0] ^ flip, k);
        const std::uint8_t g = Scale(cmyk[1] ^ flip, k);
        const std::uint8_t b = Scale(cmyk[2] ^ flip, k);
        if (gray) {
            bgr[0] = bgr[1] = bgr[2] = Luminance(r, g, b);
        } else {
            bgr[0] = b;
            bgr[1] = g;
            bgr[2] = r;
        }
    }
}

}  // namespace jpeg
