#pragma once
// Reading and writing rows of pixels in every surface format: 1, 4 and 8 bits through a colour
// table, 16 and 32 bits through bit masks, 24 and 32 bits blue-green-red.

#include <array>
#include <cstdint>

#include "platform/ColorTable.h"

namespace platform {

struct PixelFormat {
    int bitsPerPixel = 32;
    std::array<std::uint32_t, 3> masks{0xFF0000, 0x00FF00, 0x0000FF};  // red, green, blue
    const ColorTable* table = nullptr;                                 // for 1, 4 and 8 bits
};

// The masks BI_RGB implies: 5-5-5 for 16 bits, 8-8-8 for 32 bits; none otherwise.
std::array<std::uint32_t, 3> DefaultMasks(int bitsPerPixel);
// 1, 4, 8, 16, 24 or 32: the bit counts a pixel may have.
bool ValidBitCount(int bits);
// Bytes of one row of `width` pixels, rows padded to `alignment` bytes; 0 on overflow.
std::uint64_t RowBytes(std::int64_t width, int bitsPerPixel, int alignment);

// A format prepared for fast row work: lookup tables are built once per operation.
class PixelCodec {
public:
    explicit PixelCodec(const PixelFormat& format);

    int BitsPerPixel() const { return bits_; }
    bool Indexed() const { return bits_ <= 8; }
    // Pixels x .. x + count - 1 of a row as colours.
    void Read(const std::uint8_t* row, int x, int count, Rgb* out) const;
    // Pixels xs[0 .. count - 1] of a row as colours.
    void Gather(const std::uint8_t* row, const std::int32_t* xs, int count, Rgb* out) const;
    // Writes pixels x .. x + count - 1; where `paint` is given, only those with paint[i] != 0.
    void Write(std::uint8_t* row, int x, int count, const Rgb* in, const std::uint8_t* paint = nullptr) const;
    // The colour as this format stores it.
    Rgb Quantize(Rgb color) const;
    // Pixel value of a colour: a table index or the packed bits.
    std::uint32_t Encode(Rgb color) const;
    Rgb Decode(std::uint32_t value) const;

    bool SameLayout(const PixelCodec& other) const;

private:
    enum class Kind { Indexed1, Indexed4, Indexed8, Fields16, Bgr24, Bgrx32, Fields32 };
    struct Channel {
        std::uint32_t mask = 0;
        int shift = 0;                           // of the mask's lowest bit
        int preShift = 0;                        // drops field bits beyond eight
        std::array<std::uint8_t, 256> expand{};  // field value (at most 8 bits) -> 0..255
        std::array<std::uint32_t, 256> pack{};   // 0..255 -> field bits in place
    };
    static Channel MakeChannel(std::uint32_t mask);

    template <class Xs>
    void DecodeRow(const std::uint8_t* row, Xs xs, int count, Rgb* out) const;
    template <bool Masked>
    void EncodeRow(std::uint8_t* row, int x, int count, const Rgb* in, const std::uint8_t* paint) const;
    Rgb Unpack(std::uint32_t v) const;
    std::uint32_t Pack(Rgb c) const;

    Kind kind_;
    int bits_;
    std::array<std::uint32_t, 3> masks_{};
    const ColorTable* table_ = nullptr;
    std::array<Rgb, 256> palette_{};  // table entries, black beyond the table
    std::array<Channel, 3> channels_{};
};

// Converts `width` pixels from one row to another, copying bytes when the layouts match.
// `scratch` holds at least `width` colours.
void ConvertRow(const PixelCodec& from, const std::uint8_t* source, const PixelCodec& to, std::uint8_t* target,
                int width, Rgb* scratch);

}  // namespace platform
