#include "platform/Surface.h"

#include <algorithm>
#include <cstdint>

#include <sys/mman.h>

#include "platform/StockColors.h"

namespace platform {

namespace {

bool ValidFormat(SurfaceDesc& desc) {
    if (!ValidBitCount(desc.bitsPerPixel)) return false;
    if (desc.compression == BI_RGB) {
        desc.masks = DefaultMasks(desc.bitsPerPixel);
        return true;
    }
    if (desc.compression != BI_BITFIELDS || (desc.bitsPerPixel != 16 && desc.bitsPerPixel != 32)) return false;
    if (desc.masks == std::array<std::uint32_t, 3>{})
        desc.masks = desc.bitsPerPixel == 16 ? std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F} : DefaultMasks(32);
    const std::uint32_t limit = desc.bitsPerPixel == 16 ? 0xFFFF : 0xFFFFFFFF;
    return std::all_of(desc.masks.begin(), desc.masks.end(), [limit](std::uint32_t m) { return (m & ~limit) == 0; });
}

// Photograph-sized pixel blocks are mapped on their own, aligned to huge pages and advised as
// such: their first touch then faults 2 MB at a time instead of 4 KB, which dominated loading
// and copying large pictures. Fresh mapped pages read as zero, as calloc's do.
constexpr std::size_t kHugePage = std::size_t(2) << 20;
constexpr std::size_t kMapFrom = 4 * kHugePage;

std::uint8_t* MapZeroed(std::size_t size, std::size_t& mapped) {
    const std::size_t length = (size + kHugePage - 1) / kHugePage * kHugePage;
    void* p = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    auto* base = static_cast<std::uint8_t*>(p);
    const std::size_t lead = (kHugePage - reinterpret_cast<std::uintptr_t>(base) % kHugePage) % kHugePage;
    if (lead) munmap(base, lead);
    munmap(base + lead + length, kHugePage - lead);
    madvise(base + lead, length, MADV_HUGEPAGE);  // advice only: refused, small pages still work
    mapped = length;
    return base + lead;
}

// Blocks between a few dozen pages and the huge-page size are mapped with their pages put in
// at once: a fresh surface is filled or drawn over whole right away (white, or the decoded
// pixels), and one call that populates its pages costs a fraction of faulting them in one by one
// on first touch. Smaller blocks come from calloc.
constexpr std::size_t kPopulateFrom = std::size_t(128) << 10;

std::uint8_t* MapPopulated(std::size_t size, std::size_t& mapped) {
    void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    mapped = size;
    return static_cast<std::uint8_t*>(p);
}

std::uint8_t* AllocateZeroed(std::size_t size, std::size_t& mapped) {
    if (size >= kMapFrom) return MapZeroed(size, mapped);
    if (size >= kPopulateFrom) return MapPopulated(size, mapped);
    return static_cast<std::uint8_t*>(std::calloc(size, 1));
}

std::shared_ptr<Surface> Refuse(std::uint32_t error) {
    SetLastError(error);
    return nullptr;
}

}  // namespace

void Surface::FreeBits::operator()(std::uint8_t* p) const {
    if (mapped) munmap(p, mapped);
    else std::free(p);
}

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
    // Zeroed pages are handed out lazily, so a huge fresh surface costs nothing until drawn on.
    const std::size_t size = std::size_t(stride * std::uint64_t(desc.height));
    FreeBits release;
    std::uint8_t* memory = AllocateZeroed(size, release.mapped);
    if (!memory) return Refuse(ERROR_NOT_ENOUGH_MEMORY);
    std::unique_ptr<std::uint8_t, FreeBits> bits(memory, release);
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
