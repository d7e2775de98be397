#pragma once
// A brush as the pattern operand of a blit: a tile of colours repeated from the context's brush
// origin. Hatch lines take the brush colour, the gaps between them the background colour when
// the background mode is OPAQUE and are left alone when it is TRANSPARENT; a null brush paints
// nothing; a monochrome pattern bitmap takes the text and background colours.

#include <cstdint>
#include <vector>

#include "platform/ColorTable.h"
#include "platform/Gdi.h"

namespace platform {

class PixelCodec;

class BrushPattern {
public:
    BrushPattern(const DeviceContext& dc, const HBRUSH& brush, const PixelCodec& target, bool targetMonochrome);

    bool HasGaps() const { return hasGaps_; }
    // One colour painted everywhere.
    bool Solid() const { return width_ == 1 && height_ == 1 && !hasGaps_; }
    // Colours of pixels x .. x + count - 1 of row y; paint[i] is 0 where the brush leaves the pixel.
    void Row(int y, int x, int count, Rgb* out, std::uint8_t* paint) const;

private:
    void MakeSolid(Rgb color, bool paints);
    void MakeHatch(int hatch, Rgb line, Rgb gap, bool gapsPaint);
    void MakeFromBitmap(const DeviceContext& dc, const Surface& pattern);

    int width_ = 1, height_ = 1;
    std::vector<Rgb> colors_;
    std::vector<std::uint8_t> paints_;
    bool hasGaps_ = false;
    POINT origin_;
};

// The 8 x 8 hatch patterns: bit 7 - x of row y is set where a line passes.
std::uint8_t HatchRow(int hatch, int y);

}  // namespace platform
