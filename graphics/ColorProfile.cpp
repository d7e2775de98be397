#include "graphics/ColorProfile.h"

#include "graphics/Bitmap.h"
#include "platform/IccTransform.h"

namespace {

std::shared_ptr<const platform::IccTransform> TransformFor(std::span<const std::uint8_t> profile, int bitsPerPixel) {
    if (bitsPerPixel != 24 && bitsPerPixel != 32) return nullptr;
    return platform::TransformToSrgb(profile,
                                     bitsPerPixel == 24 ? platform::IccPixels::Bgr : platform::IccPixels::Bgrx);
}

void TranslateRows(const platform::IccTransform& transform, std::uint8_t* top, std::ptrdiff_t stride,
                   std::int32_t width, std::int32_t height) {
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = top + std::ptrdiff_t(y) * stride;
        transform.Translate(row, row, std::size_t(width));
    }
}

}  // namespace

bool RowsToSrgb(std::span<const std::uint8_t> profile, int bitsPerPixel, std::uint8_t* top, std::ptrdiff_t stride,
                std::int32_t width, std::int32_t height) {
    const auto transform = TransformFor(profile, bitsPerPixel);
    if (!transform) return false;
    TranslateRows(*transform, top, stride, width, height);
    return true;
}

void TranslateBitmap(const platform::IccTransform& transform, TBitmap& bitmap) {
    const std::int32_t width = bitmap.ImageWidth(), height = bitmap.ImageHeight();
    if (height <= 0) return;
    std::uint8_t* const top = bitmap.ScanRow(0);
    const std::ptrdiff_t stride = height > 1 ? bitmap.ScanRow(1) - top : 0;
    TranslateRows(transform, top, stride, width, height);
}

bool ColorTableToSrgb(std::span<const std::uint8_t> profile, std::span<platform::RGBQUAD> colors) {
    static_assert(sizeof(platform::RGBQUAD) == 4);
    const auto transform = TransformFor(profile, 32);
    if (!transform) return false;
    auto* entries = reinterpret_cast<std::uint8_t*>(colors.data());
    transform->Translate(entries, entries, colors.size());
    return true;
}
