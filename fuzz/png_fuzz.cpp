// Any bytes as a PNG file: a picture or "PNG image is not valid", never a crash, a hang or a
// library message; what loads and is not too large to draw quickly is streamed row by row as
// the conversion takes it, then drawn once.
//
// Every whole chunk's CRC is first made right: a mutated chunk with its old CRC would be
// refused before any of its fields were read, so the mutations would never reach the decoder.

#include <array>
#include <vector>

#include "formats/PngImage.h"
#include "fuzz/ReadAndDraw.h"
#include "fuzz/StreamEveryRow.h"

namespace {

// The CRC-32 of the PNG format (reflected polynomial 0xEDB88320) over a chunk's type and data.
std::uint32_t ChunkCrc(const std::uint8_t* bytes, std::size_t size) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) c = table[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t BigEndian(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

std::vector<std::uint8_t> WithRightCrcs(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    constexpr std::size_t kSignature = 8;
    for (std::size_t at = kSignature; at + 12 <= bytes.size();) {
        const std::size_t length = BigEndian(&bytes[at]);
        if (length > bytes.size() - at - 12) break;
        const std::uint32_t crc = ChunkCrc(&bytes[at + 4], length + 4);
        std::uint8_t* stored = &bytes[at + 8 + length];
        for (int i = 0; i < 4; ++i) stored[i] = std::uint8_t(crc >> (24 - 8 * i));
        at += length + 12;
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes = WithRightCrcs(data, size);
    return ReadAndDraw<TPngImage>(bytes.data(), bytes.size(), [](TPngImage& image) { StreamEveryRow(image); });
}
