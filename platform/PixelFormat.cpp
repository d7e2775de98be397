#include "platform/PixelFormat.h"

#include <bit>
#include <cstring>

namespace platform {

bool ValidBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

std::array<std::uint32_t, 3> DefaultMasks(int bitsPerPixel) {
    if (bitsPerPixel == 16) return {0x7C00, 0x03E0, 0x001F};
    if (bitsPerPixel == 32) return {0xFF0000, 0x00FF00, 0x0000FF};
    return {0, 0, 0};
}

std::uint64_t RowBytes(std::int64_t width, int bitsPerPixel, int alignment) {
    if (width < 0 || bitsPerPixel <= 0 || alignment <= 0) return 0;
    const std::uint64_t bits = std::uint64_t(width) * std::uint64_t(bitsPerPixel);  // < 2^37
    const std::uint64_t unitBits = std::uint64_t(alignment) * 8;
    return (bits + unitBits - 1) / unitBits * std::uint64_t(alignment);
}

namespace {

struct Contiguous {
    int x0;
    int operator[](int i) const { return x0 + i; }
};
struct Mapped {
    const std::int32_t* xs;
    int operator[](int i) const { return xs[i]; }
};

std::uint32_t Load16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t Load32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;  // the service only runs on little-endian machines, as the formats are
}
void Store32(std::uint8_t* p, std::uint32_t v) { std::memcpy(p, &v, 4); }

}  // namespace

PixelCodec::Channel PixelCodec::MakeChannel(std::uint32_t mask) {
    Channel ch;
    ch.mask = mask;
    if (mask == 0) return ch;
    ch.shift = std::countr_zero(mask);
    const int width = 32 - std::countl_zero(mask >> ch.shift);
    ch.preShift = width > 8 ? width - 8 : 0;
    const int kept = width - ch.preShift;
    const std::uint32_t top = (1u << kept) - 1;
    for (std::uint32_t v = 0; v <= top; ++v) ch.expand[v] = std::uint8_t((v * 255 + top / 2) / top);
    // Packing scales to the field's full width, so 255 fills even a 10-bit field.
    const std::uint64_t full = (std::uint64_t(1) << width) - 1;
    for (std::uint64_t c = 0; c < 256; ++c) ch.pack[c] = std::uint32_t(((c * full + 127) / 255) << ch.shift) & mask;
    return ch;
}

PixelCodec::PixelCodec(const PixelFormat& format) : bits_(format.bitsPerPixel), table_(format.table) {
    switch (bits_) {
    case 1: kind_ = Kind::Indexed1; break;
    case 4: kind_ = Kind::Indexed4; break;
    case 8: kind_ = Kind::Indexed8; break;
    case 16: kind_ = Kind::Fields16; break;
    case 24: kind_ = Kind::Bgr24; break;
    default:
        bits_ = 32;
        kind_ = format.masks == DefaultMasks(32) ? Kind::Bgrx32 : Kind::Fields32;
        break;
    }
    if (Indexed()) {
        if (table_)
            for (std::size_t i = 0; i < table_->Size() && i < palette_.size(); ++i) palette_[i] = table_->At(i);
    } else if (bits_ != 24) {
        masks_ = format.masks;
        for (int c = 0; c < 3; ++c) channels_[c] = MakeChannel(masks_[c]);
    }
}

Rgb PixelCodec::Unpack(std::uint32_t v) const {
    const auto field = [v](const Channel& ch) { return ch.expand[((v & ch.mask) >> ch.shift) >> ch.preShift]; };
    return Rgb(field(channels_[0])) << 16 | Rgb(field(channels_[1])) << 8 | field(channels_[2]);
}

std::uint32_t PixelCodec::Pack(Rgb c) const {
    return channels_[0].pack[c >> 16 & 0xFF] | channels_[1].pack[c >> 8 & 0xFF] | channels_[2].pack[c & 0xFF];
}

std::uint32_t PixelCodec::Encode(Rgb color) const {
    color &= 0xFFFFFF;
    switch (kind_) {
    case Kind::Indexed1:
    case Kind::Indexed4:
    case Kind::Indexed8: {
        const unsigned index = table_ ? table_->Nearest(color) : 0;
        return index < (1u << bits_) ? index : 0;
    }
    case Kind::Bgr24:
    case Kind::Bgrx32: return color;
    default: return Pack(color);
    }
}

Rgb PixelCodec::Decode(std::uint32_t value) const {
    switch (kind_) {
    case Kind::Indexed1:
    case Kind::Indexed4:
    case Kind::Indexed8: return palette_[value & 0xFF];
    case Kind::Bgr24:
    case Kind::Bgrx32: return value & 0xFFFFFF;
    default: return Unpack(value);
    }
}

Rgb PixelCodec::Quantize(Rgb color) const { return Decode(Encode(color)); }

bool PixelCodec::SameLayout(const PixelCodec& other) const {
    if (kind_ != other.kind_) return false;
    if (Indexed()) return palette_ == other.palette_;
    return masks_ == other.masks_;
}

template <class Xs>
void PixelCodec::DecodeRow(const std::uint8_t* row, Xs xs, int count, Rgb* out) const {
    switch (kind_) {
    case Kind::Indexed1:
        for (int i = 0; i < count; ++i) out[i] = palette_[row[xs[i] >> 3] >> (7 - (xs[i] & 7)) & 1];
        break;
    case Kind::Indexed4:
        for (int i = 0; i < count; ++i) out[i] = palette_[row[xs[i] >> 1] >> ((xs[i] & 1) ? 0 : 4) & 0xF];
        break;
    case Kind::Indexed8:
        for (int i = 0; i < count; ++i) out[i] = palette_[row[xs[i]]];
        break;
    case Kind::Fields16:
        for (int i = 0; i < count; ++i) out[i] = Unpack(Load16(row + 2 * xs[i]));
        break;
    case Kind::Bgr24:
        for (int i = 0; i < count; ++i) {
            const std::uint8_t* p = row + 3 * std::size_t(xs[i]);
            out[i] = Rgb(p[2]) << 16 | Rgb(p[1]) << 8 | p[0];
        }
        break;
    case Kind::Bgrx32:
        for (int i = 0; i < count; ++i) out[i] = Load32(row + 4 * std::size_t(xs[i])) & 0xFFFFFF;
        break;
    case Kind::Fields32:
        for (int i = 0; i < count; ++i) out[i] = Unpack(Load32(row + 4 * std::size_t(xs[i])));
        break;
    }
}

void PixelCodec::Read(const std::uint8_t* row, int x, int count, Rgb* out) const {
    DecodeRow(row, Contiguous{x}, count, out);
}

void PixelCodec::Gather(const std::uint8_t* row, const std::int32_t* xs, int count, Rgb* out) const {
    DecodeRow(row, Mapped{xs}, count, out);
}

template <bool Masked>
void PixelCodec::EncodeRow(std::uint8_t* row, int x, int count, const Rgb* in, const std::uint8_t* paint) const {
    for (int i = 0; i < count; ++i) {
        if (Masked && !paint[i]) continue;
        const std::size_t px = std::size_t(x + i);
        switch (kind_) {
        case Kind::Indexed1: {
            const std::uint8_t bit = std::uint8_t(0x80 >> (px & 7));
            row[px >> 3] = Encode(in[i]) ? (row[px >> 3] | bit) : (row[px >> 3] & ~bit);
            break;
        }
        case Kind::Indexed4: {
            const unsigned shift = (px & 1) ? 0 : 4;
            row[px >> 1] = std::uint8_t((row[px >> 1] & ~(0xF << shift)) | Encode(in[i]) << shift);
            break;
        }
        case Kind::Indexed8: row[px] = std::uint8_t(Encode(in[i])); break;
        case Kind::Fields16: {
            const std::uint32_t v = Pack(in[i]);
            row[2 * px] = std::uint8_t(v);
            row[2 * px + 1] = std::uint8_t(v >> 8);
            break;
        }
        case Kind::Bgr24:
            row[3 * px] = std::uint8_t(in[i]);
            row[3 * px + 1] = std::uint8_t(in[i] >> 8);
            row[3 * px + 2] = std::uint8_t(in[i] >> 16);
            break;
        case Kind::Bgrx32: Store32(row + 4 * px, in[i] & 0xFFFFFF); break;
        case Kind::Fields32: Store32(row + 4 * px, Pack(in[i])); break;
        }
    }
}

void PixelCodec::Write(std::uint8_t* row, int x, int count, const Rgb* in, const std::uint8_t* paint) const {
    if (paint) {
        EncodeRow<true>(row, x, count, in, paint);
    } else if (kind_ == Kind::Bgrx32) {
        std::uint8_t* p = row + 4 * std::size_t(x);
        for (int i = 0; i < count; ++i) Store32(p + 4 * std::size_t(i), in[i] & 0xFFFFFF);
    } else {
        EncodeRow<false>(row, x, count, in, nullptr);
    }
}

void ConvertRow(const PixelCodec& from, const std::uint8_t* source, const PixelCodec& to, std::uint8_t* target,
                int width, Rgb* scratch) {
    int done = 0;
    if (from.SameLayout(to)) {
        // Whole bytes are copied; a partial last byte goes pixel by pixel to spare its neighbours.
        const std::size_t bytes = std::size_t(width) * std::size_t(from.BitsPerPixel()) / 8;
        std::memcpy(target, source, bytes);
        done = int(bytes * 8 / std::size_t(from.BitsPerPixel()));
    }
    if (done == width) return;
    from.Read(source, done, width - done, scratch);
    to.Write(target, done, width - done, scratch);
}

}  // namespace platform
