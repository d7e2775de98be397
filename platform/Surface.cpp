#include "platform/Surface.h"

#include <algorithm>

#include "platform/StockColors.h"

namespace platform {

namespace {

bool ValidBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

bool ValidFormat(SurfaceSpec& spec) {
    if (!ValidBitCount(spec.bitsPerPixel)) return false;
    if (spec.compression == BI_RGB) {
        spec.masks = DefaultMasks(spec.bitsPerPixel);
        return true;
    }
    if (spec.compression != BI_BITFIELDS || (spec.bitsPerPixel != 16 && spec.bitsPerPixel != 32)) return false;
    if (spec.masks == std::array<std::uint32_t, 3>{})
        spec.masks = spec.bitsPerPixel == 16 ? std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F}
                                             : DefaultMasks(32);
    const std::uint32_t limit = spec.bitsPerPixel == 16 ? 0xFFFF : 0xFFFFFFFF;
    return std::all_of(spec.masks.begin(), spec.masks.end(), [limit](std::uint32_t m) { return (m & ~limit) == 0; });
}

std::shared_ptr<Surface> Refuse(std::uint32_t error) {
    SetLastError(error);
    return nullptr;
}

}  // namespace

Surface::Surface(SurfaceSpec spec, std::size_t stride, std::unique_ptr<std::uint8_t, FreeBits> bits)
    : spec_(std::move(spec)), stride_(stride), bits_(std::move(bits)) {
    if (spec_.bitsPerPixel <= 8) {
        std::vector<Rgb> colors = std::move(spec_.colors);
        const std::size_t capacity = std::size_t(1) << spec_.bitsPerPixel;
        if (colors.empty()) colors = DefaultColors(spec_.bitsPerPixel);
        if (colors.size() > capacity) colors.resize(capacity);
        colors_ = ColorTable(std::move(colors));
    }
    spec_.colors.clear();
}

std::shared_ptr<Surface> Surface::Make(SurfaceSpec spec) {
    if (spec.width <= 0 || spec.height <= 0 || !ValidFormat(spec)) return Refuse(ERROR_INVALID_PARAMETER);
    const std::uint64_t stride = RowBytes(spec.width, spec.bitsPerPixel, spec.dib ? 4 : 2);
    if (stride == 0 || stride > kMaxSurfaceBytes / std::uint64_t(spec.height)) return Refuse(ERROR_NOT_ENOUGH_MEMORY);
    // calloc hands out zeroed pages lazily, so a huge fresh surface costs nothing until drawn on.
    std::unique_ptr<std::uint8_t, FreeBits> bits(
        static_cast<std::uint8_t*>(std::calloc(std::size_t(stride * std::uint64_t(spec.height)), 1)));
    if (!bits) return Refuse(ERROR_NOT_ENOUGH_MEMORY);
    return std::shared_ptr<Surface>(new Surface(std::move(spec), std::size_t(stride), std::move(bits)));
}

SurfaceSpec DeviceSurfaceSpec(std::int32_t width, std::int32_t height, int bits) {
    SurfaceSpec spec;
    spec.width = width;
    spec.height = height;
    spec.bitsPerPixel = bits;
    if (bits == 16) {
        spec.compression = BI_BITFIELDS;
        spec.masks = {0xF800, 0x07E0, 0x001F};
    }
    return spec;
}

std::shared_ptr<Surface> Surface::MakeDisplayCompatible(int width, int height) {
    const int bits = Display().bitsPerPixel * Display().planes;
    return Make(DeviceSurfaceSpec(width, height, ValidBitCount(bits) ? bits : 32));
}

std::shared_ptr<Surface> Surface::MakeMonochrome(int width, int height) {
    return Make(DeviceSurfaceSpec(width, height, 1));
}

}  // namespace platform
