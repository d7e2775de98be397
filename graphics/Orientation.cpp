#include "graphics/Orientation.h"

#include <vector>

#include "graphics/Bitmap.h"

namespace {

constexpr int kBytesPerPixel = 3;

// Where the upright pixel (x, y) comes from: the stored pixel at origin + x * alongRow +
// y * acrossRows, each a step in stored (column, row).
struct PixelWalk {
    std::int32_t originX, originY;
    std::int32_t rowStepX, rowStepY;
    std::int32_t downStepX, downStepY;
};

PixelWalk WalkFor(int orientation, std::int32_t w, std::int32_t h) {
    switch (orientation) {
    case 2: return {w - 1, 0, -1, 0, 0, 1};
    case 3: return {w - 1, h - 1, -1, 0, 0, -1};
    case 4: return {0, h - 1, 1, 0, 0, -1};
    case 5: return {0, 0, 0, 1, 1, 0};
    case 6: return {0, h - 1, 0, -1, 1, 0};
    case 7: return {w - 1, h - 1, 0, -1, -1, 0};
    case 8: return {w - 1, 0, 0, 1, -1, 0};
    default: return {0, 0, 1, 0, 0, 1};
    }
}

// The source in 24 bits, sharing its image when it is already so.
std::unique_ptr<TBitmap> TwentyFourBitCopy(TBitmap& source) {
    auto copy = std::make_unique<TBitmap>();
    copy->CopyFrom(&source);
    if (copy->CurrentDepth() != TPixelDepth::Bits24) copy->ChangeDepth(TPixelDepth::Bits24);
    return copy;
}

}  // namespace

bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

std::unique_ptr<TBitmap> OrientedBitmap(TBitmap& source, int orientation) {
    const auto stored = TwentyFourBitCopy(source);
    const std::int32_t w = stored->ImageWidth(), h = stored->ImageHeight();
    auto result = std::make_unique<TBitmap>();
    result->ChangeDepth(TPixelDepth::Bits24);
    result->ResizeWidth(SwapsSides(orientation) ? h : w);
    result->ResizeHeight(SwapsSides(orientation) ? w : h);
    std::vector<const std::uint8_t*> rows(std::size_t(h > 0 ? h : 0));
    for (std::int32_t y = 0; y < h; ++y) rows[std::size_t(y)] = stored->ReadScanRow(y);
    const PixelWalk walk = WalkFor(orientation, w, h);
    const std::int32_t outWidth = result->ImageWidth(), outHeight = result->ImageHeight();
    for (std::int32_t y = 0; y < outHeight; ++y) {
        std::uint8_t* out = result->ScanRow(y);
        std::int32_t sx = walk.originX + y * walk.downStepX, sy = walk.originY + y * walk.downStepY;
        for (std::int32_t x = 0; x < outWidth; ++x, sx += walk.rowStepX, sy += walk.rowStepY) {
            const std::uint8_t* in = rows[std::size_t(sy)] + std::ptrdiff_t(sx) * kBytesPerPixel;
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
            out += kBytesPerPixel;
        }
    }
    return result;
}
