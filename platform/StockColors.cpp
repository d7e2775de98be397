#include "platform/StockColors.h"

namespace platform {

const std::vector<Rgb>& StaticColors() {
    static const std::vector<Rgb> colors{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
                                         0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000,
                                         0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return colors;
}

namespace {
constexpr int kCubeLevels = 6;
constexpr int kCubeStep = 51;
constexpr int kExtraGrays = 20;

std::vector<Rgb> MakeHalftone() {
    const auto& statics = StaticColors();
    std::vector<Rgb> colors(statics.begin(), statics.begin() + 10);
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b)
                colors.push_back(Rgb(r * kCubeStep) << 16 | Rgb(g * kCubeStep) << 8 | Rgb(b * kCubeStep));
    // Grays between the cube's levels make smooth gray ramps possible on a palette display.
    for (int i = 1; i <= kExtraGrays; ++i) {
        const Rgb level = Rgb(i * 255 / (kExtraGrays + 1));
        colors.push_back(level << 16 | level << 8 | level);
    }
    colors.insert(colors.end(), statics.begin() + 10, statics.end());
    return colors;
}
}  // namespace

const std::vector<Rgb>& HalftoneColors() {
    static const std::vector<Rgb> colors = MakeHalftone();
    return colors;
}

const std::vector<Rgb>& StandardColors16() {
    static const std::vector<Rgb> colors{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                         0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                                         0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return colors;
}

const std::vector<Rgb>& MonochromeColors() {
    static const std::vector<Rgb> colors{0x000000, 0xFFFFFF};
    return colors;
}

const std::vector<Rgb>& DefaultColors(int bitsPerPixel) {
    static const std::vector<Rgb> none;
    switch (bitsPerPixel) {
    case 1: return MonochromeColors();
    case 4: return StandardColors16();
    case 8: return HalftoneColors();
    default: return none;
    }
}

}  // namespace platform
