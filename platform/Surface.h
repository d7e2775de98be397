#pragma once
// A surface: a device-dependent bitmap (top-down rows padded to 2 bytes, reached only through the
// service) or a DIB section (rows padded to 4 bytes, bottom-up or top-down, memory the caller
// reads and writes directly).

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/Gdi.h"
#include "platform/PixelFormat.h"

namespace platform {

// No surface's pixel memory may exceed this: enough for a 250-megapixel photograph in 32 bits.
constexpr std::uint64_t kMaxSurfaceBytes = std::uint64_t(1) << 30;

struct SurfaceDesc {
    std::int32_t width = 0;
    std::int32_t height = 0;  // always positive here
    int bitsPerPixel = 32;
    bool dib = false;
    bool topDown = true;
    std::uint32_t compression = BI_RGB;
    std::array<std::uint32_t, 3> masks{};  // zero: the defaults of the bit count
    std::vector<Rgb> colors;               // for 1, 4 and 8 bits: the colour table
};

// A device-dependent surface of `bits` per pixel; 16 bits are 5-6-5, as displays of 16 bits are.
SurfaceDesc DeviceSurfaceDesc(std::int32_t width, std::int32_t height, int bits);

class Surface : public GdiObject {
public:
    // Null, with the last error set, for bad dimensions, formats or sizes, or when memory runs out.
    static std::shared_ptr<Surface> Make(SurfaceDesc desc);
    // A device-dependent surface in the display's format, or monochrome.
    static std::shared_ptr<Surface> MakeDisplayCompatible(int width, int height);
    static std::shared_ptr<Surface> MakeMonochrome(int width, int height);

    std::int32_t Width() const { return desc_.width; }
    std::int32_t Height() const { return desc_.height; }
    int BitsPerPixel() const { return desc_.bitsPerPixel; }
    bool IsDib() const { return desc_.dib; }
    bool TopDown() const { return desc_.topDown; }
    bool IsMonochrome() const { return desc_.bitsPerPixel == 1; }
    std::uint32_t Compression() const { return desc_.compression; }
    const std::array<std::uint32_t, 3>& Masks() const { return desc_.masks; }
    std::size_t Stride() const { return stride_; }
    std::size_t ByteSize() const { return stride_ * std::size_t(desc_.height); }

    std::uint8_t* Bits() { return bits_.get(); }
    const std::uint8_t* Bits() const { return bits_.get(); }
    // Row y counted from the top, whatever the storage order.
    std::uint8_t* Row(int y) { return bits_.get() + StoredRow(y) * stride_; }
    const std::uint8_t* Row(int y) const { return bits_.get() + StoredRow(y) * stride_; }

    ColorTable& Colors() { return colors_; }
    const ColorTable& Colors() const { return colors_; }
    PixelFormat Format() const { return PixelFormat{desc_.bitsPerPixel, desc_.masks, &colors_}; }

    RECT Bounds() const { return RECT{0, 0, desc_.width, desc_.height}; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < desc_.width && y < desc_.height; }

    // The context this surface is selected into; a surface can be selected in one context only.
    DeviceContext* selectedIn = nullptr;

private:
    struct FreeBits {
        std::size_t mapped = 0;  // bytes mapped directly; 0 for memory from calloc
        void operator()(std::uint8_t* p) const;
    };
    Surface(SurfaceDesc desc, std::size_t stride, std::unique_ptr<std::uint8_t, FreeBits> bits);
    std::size_t StoredRow(int y) const { return std::size_t(desc_.topDown ? y : desc_.height - 1 - y); }

    SurfaceDesc desc_;
    std::size_t stride_;
    std::unique_ptr<std::uint8_t, FreeBits> bits_;
    ColorTable colors_;
};

}  // namespace platform
