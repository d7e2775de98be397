#include "platform/BrushPattern.h"

#include <algorithm>

#include "platform/DeviceContext.h"
#include "platform/GdiObjects.h"
#include "platform/PixelFormat.h"
#include "platform/Surface.h"

namespace platform {

namespace {
constexpr int kHatchSize = 8;

Rgb Plain(COLORREF c) { return RgbFromColorRef(c & 0xFFFFFF); }

int Wrap(std::int64_t v, int period) {
    const std::int64_t r = v % period;
    return int(r < 0 ? r + period : r);
}
}  // namespace

std::uint8_t HatchRow(int hatch, int y) {
    const std::uint8_t horizontal = y == kHatchSize - 1 ? 0xFF : 0x00;  // a line along each cell's last row
    const std::uint8_t vertical = 0x01;                                 // and down its last column
    const std::uint8_t forward = std::uint8_t(0x80 >> y);               // top left to bottom right
    const std::uint8_t backward = std::uint8_t(0x01 << y);              // bottom left to top right
    switch (hatch) {
    case HS_HORIZONTAL: return horizontal;
    case HS_VERTICAL: return vertical;
    case HS_FDIAGONAL: return forward;
    case HS_BDIAGONAL: return backward;
    case HS_CROSS: return horizontal | vertical;
    case HS_DIAGCROSS: return forward | backward;
    default: return 0;
    }
}

BrushPattern::BrushPattern(const DeviceContext& dc, const HBRUSH& brush, const PixelCodec& target,
                           bool targetMonochrome)
    : origin_(dc.brushOrigin) {
    const LOGBRUSH info = brush ? brush->Info() : LOGBRUSH{BS_NULL, 0, 0};
    if (info.lbStyle == BS_SOLID) {
        MakeSolid(Plain(info.lbColor), true);
    } else if (info.lbStyle == BS_HATCHED) {
        MakeHatch(info.lbHatch, Plain(info.lbColor), Plain(dc.bkColor), dc.bkMode == OPAQUE);
    } else if (info.lbStyle == BS_PATTERN && brush->Pattern()) {
        MakeFromBitmap(dc, *brush->Pattern());
    } else {
        MakeSolid(0, false);
    }
    // A monochrome target can only hold its two colours; the operation works on those.
    if (targetMonochrome)
        std::transform(colors_.begin(), colors_.end(), colors_.begin(), [&](Rgb c) { return target.Quantize(c); });
    hasGaps_ = std::find(paints_.begin(), paints_.end(), 0) != paints_.end();
}

void BrushPattern::MakeSolid(Rgb color, bool paints) {
    colors_.assign(1, color);
    paints_.assign(1, paints ? 1 : 0);
}

void BrushPattern::MakeHatch(int hatch, Rgb line, Rgb gap, bool gapsPaint) {
    width_ = height_ = kHatchSize;
    colors_.resize(kHatchSize * kHatchSize);
    paints_.resize(kHatchSize * kHatchSize);
    for (int y = 0; y < kHatchSize; ++y) {
        const std::uint8_t bits = HatchRow(hatch, y);
        for (int x = 0; x < kHatchSize; ++x) {
            const bool onLine = bits >> (7 - x) & 1;
            colors_[std::size_t(y * kHatchSize + x)] = onLine ? line : gap;
            paints_[std::size_t(y * kHatchSize + x)] = onLine || gapsPaint;
        }
    }
}

void BrushPattern::MakeFromBitmap(const DeviceContext& dc, const Surface& pattern) {
    width_ = pattern.Width();
    height_ = pattern.Height();
    PixelFormat format = pattern.Format();
    ColorTable monochrome({Plain(dc.textColor), Plain(dc.bkColor)});
    if (pattern.IsMonochrome() && !pattern.IsDib()) format.table = &monochrome;
    const PixelCodec codec(format);
    colors_.resize(std::size_t(width_) * std::size_t(height_));
    paints_.assign(colors_.size(), 1);
    for (int y = 0; y < height_; ++y)
        codec.Read(pattern.Row(y), 0, width_, &colors_[std::size_t(y) * std::size_t(width_)]);
}

void BrushPattern::Row(int y, int x, int count, Rgb* out, std::uint8_t* paint) const {
    const std::size_t row = std::size_t(Wrap(std::int64_t(y) - origin_.y, height_)) * std::size_t(width_);
    int column = Wrap(std::int64_t(x) - origin_.x, width_);
    for (int i = 0; i < count; ++i) {
        out[i] = colors_[row + std::size_t(column)];
        if (paint) paint[i] = paints_[row + std::size_t(column)];
        if (++column == width_) column = 0;
    }
}

}  // namespace platform
