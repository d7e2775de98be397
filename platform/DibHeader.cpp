#include "platform/DibHeader.h"

#include <algorithm>

#include "platform/LittleEndian.h"

namespace platform {

namespace {

// Little-endian fields of the header, 0 where the header or the bytes end first.
class HeaderBytes {
public:
    HeaderBytes(std::span<const std::uint8_t> bytes, std::uint32_t size)
        : bytes_(bytes.first(std::min<std::size_t>(bytes.size(), size))) {}
    std::uint16_t U16(std::size_t at) const { return at + 2 <= bytes_.size() ? LittleU16(bytes_.data() + at) : 0; }
    std::uint32_t U32(std::size_t at) const { return at + 4 <= bytes_.size() ? LittleU32(bytes_.data() + at) : 0; }

private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace

DibHeader ParseDibHeader(std::span<const std::uint8_t> bytes) {
    DibHeader header;
    BITMAPINFOHEADER& h = header.fields;
    h.biSize = bytes.size() >= 4 ? LittleU32(bytes.data()) : 0;
    const HeaderBytes b(bytes, h.biSize);
    if (header.Core()) {
        h.biWidth = b.U16(4);
        h.biHeight = b.U16(6);
        h.biPlanes = b.U16(8);
        h.biBitCount = b.U16(10);
        return header;
    }
    h.biWidth = std::int32_t(b.U32(4));
    h.biHeight = std::int32_t(b.U32(8));
    h.biPlanes = b.U16(12);
    h.biBitCount = b.U16(14);
    h.biCompression = b.U32(16);
    h.biSizeImage = b.U32(20);
    h.biXPelsPerMeter = std::int32_t(b.U32(24));
    h.biYPelsPerMeter = std::int32_t(b.U32(28));
    h.biClrUsed = b.U32(32);
    h.biClrImportant = b.U32(36);
    if (h.biSize >= kMaskedHeaderSize) header.masks = {b.U32(40), b.U32(44), b.U32(48)};
    return header;
}

}  // namespace platform
