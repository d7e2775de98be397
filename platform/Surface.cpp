#include "platform/Surface.h"

#include <algorithm>

#include "platform/StockColors.h"

namespace platform {

namespace {

bool ValidBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

bool ValidFormat(SurfaceDesc& desc) {
    if (!ValidBitCount(desc.bitsPerPixel)) return false;
    if (desc.compression == BI_RGB) {
        desc.masks = DefaultMasks(desc.bitsPerPixel);
        return true;
    }
    if (desc.compression != BI_BITFIELDS || (desc.bitsPerPixel != 16 && desc.bitsPerPixel != 32)) return false;
    if (desc.masks == std::array<std::uint32_t, 3>{})
        desc.masks = desc.bitsPerPixel == 16 ? std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F}
                                             : DefaultMasks(32);
    const std::uint32_t limit = desc.bitsPerPixel == 16 ? 0xFFFF : 0xFFFFFFFF;
    return std::all_of(desc.masks.begin(), desc.masks.end(), [limit](std::uint32_t m) { return (m & ~limit) == 0; });
}

std::shared_ptr<Surface> Refuse(std::uint32_t error) {
    SetLastError(error);
    return nullptr;
}

}  // namespace

Surface::Surface(SurfaceDesc desc, std::size_t stride, std::unique_ptr<std::uint8_t, FreeBits> bits)
    : desc_(std::move(desc)), stride_(stride), bits_(std::move(bits)) {
    if (desc_.bitsPerPixel <= 8) {
        std::vector<Rgb> colors = std::move(desc_.colors);
        const std::size_t capacity = std::size_t(1) << desc_.bitsPerPixel;
        if (colors.empty()) colors = DefaultColors(desc_.bitsPerPixel);
        if (colors.size() > capacity) colors.resize(capacity);
        colors_ = ColorTable(std::move(colors));
    }
    desc_.colors.clear();
}

std::shared_ptr<Surface> Surface::Make(SurfaceDesc desc) {
    if (desc.width <= 0 || desc.height <= 0 || !ValidFormat(desc)) return Refuse(ERROR_INVALID_PARAMETER);
    const std::uint64_t stride = RowBytes(desc.width, desc.bitsPerPixel, desc.dib ? 4 : 2);
    if (stride == 0 || stride > kMaxSurfaceBytes / std::uint64_t(desc.height)) return Refuse(ERROR_NOT_ENOUGH_MEMORY);
    // calloc hands out zeroed pages lazily, so a huge fresh surface costs nothing until drawn on.
    std::unique_ptr<std::uint8_t, FreeBits> bits(
        static_cast<std::uint8_t*>(std::calloc(std::size_t(stride * std::uint64_t(desc.height)), 1)));
    if (!bits) return Refuse(ERROR_NOT_ENOUGH_MEMORY);
    return std::shared_ptr<Surface>(new Surface(std::move(desc), std::size_t(stride), std::move(bits)));
}

SurfaceDesc DeviceSurfaceDesc(std::int32_t width, std::int32_t height, int bits) {
    SurfaceDesc desc;
    desc.width = width;
    desc.height = height;
    desc.bitsPerPixel = bits;
    if (bits == 16) {
        desc.compression = BI_BITFIELDS;
        desc.masks = {0xF800, 0x07E0, 0x001F};
    }
    return desc;
}

std::shared_ptr<Surface> Surface::MakeDisplayCompatible(int width, int height) {
    const int bits = Display().bitsPerPixel * Display().planes;
    return Make(DeviceSurfaceDesc(width, height, ValidBitCount(bits) ? bits : 32));
}

std::shared_ptr<Surface> Surface::MakeMonochrome(int width, int height) {
    return Make(DeviceSurfaceDesc(width, height, 1));
}

}  // namespace platform
