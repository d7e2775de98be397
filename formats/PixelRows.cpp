#include "formats/PixelRows.h"

#include "graphics/Bitmap.h"

namespace {

std::uint8_t OverWhite(std::uint8_t value, std::uint8_t alpha) {
    return std::uint8_t((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

}  // namespace

void ComposeRowOverWhite(const std::uint8_t* in, std::uint8_t* out, std::int32_t width, int channels) {
    if (channels == 3) {
        // An opaque pixel composes to itself: no arithmetic, only the order of the samples.
        for (std::int32_t x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
        return;
    }
    for (std::int32_t x = 0; x < width; ++x, in += 4, out += 3) {
        const std::uint8_t alpha = in[3];
        out[0] = OverWhite(in[2], alpha);
        out[1] = OverWhite(in[1], alpha);
        out[2] = OverWhite(in[0], alpha);
    }
}

std::unique_ptr<TBitmap> ComposeOverWhite(const TPixelRows& rows) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->ChangeDepth(TPixelDepth::Bits24);
    bitmap->ResizeWidth(rows.width);
    bitmap->ResizeHeight(rows.height);
    for (std::int32_t y = 0; y < rows.height; ++y)
        ComposeRowOverWhite(rows.first + y * rows.stride, bitmap->ScanRow(y), rows.width, rows.channels);
    return bitmap;
}
