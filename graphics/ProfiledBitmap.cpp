#include "graphics/ProfiledBitmap.h"

#include "graphics/Canvas.h"
#include "graphics/ColorProfile.h"

TBitmap* TProfiledBitmap::Converted() {
    if (pending_ && bitmap_) TranslateBitmap(*pending_, *bitmap_);
    pending_.reset();
    return bitmap_.get();
}

std::unique_ptr<TBitmap> TProfiledBitmap::SampledFor(TCanvas& canvas, const TRect& rect) {
    if (!pending_ || !bitmap_ || bitmap_->CurrentDepth() != TPixelDepth::Bits24) return nullptr;
    const std::int32_t width = rect.Width(), height = rect.Height();
    if (width <= 0 || height <= 0 ||
        std::int64_t(width) * height >= std::int64_t(bitmap_->ImageWidth()) * bitmap_->ImageHeight())
        return nullptr;
    // Palette targets average the source pixels (halftone), which a later conversion would not match.
    const platform::HDC dc = canvas.Handle();
    if (platform::GetDeviceCaps(dc, platform::BITSPIXEL) * platform::GetDeviceCaps(dc, platform::PLANES) <= 8)
        return nullptr;
    auto sampled = std::make_unique<TBitmap>();
    sampled->ChangeDepth(TPixelDepth::Bits24);
    sampled->ResizeWidth(width);
    sampled->ResizeHeight(height);
    sampled->Canvas().StretchDrawGraphic(TRect{0, 0, width, height}, bitmap_.get());
    TranslateBitmap(*pending_, *sampled);
    return sampled;
}
