#include "graphics/ExifOrientation.h"

#include <cstring>

namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kIfdEntrySize = 12;

// Every read is checked against the block's end; a read past it yields nothing.
class TiffReader {
public:
    TiffReader(const std::uint8_t* data, std::size_t size, bool bigEndian)
        : data_(data), size_(size), bigEndian_(bigEndian) {}
    bool Fits(std::size_t offset, std::size_t count) const { return offset <= size_ && count <= size_ - offset; }
    std::uint16_t U16(std::size_t offset) const {
        const std::uint8_t* p = data_ + offset;
        return bigEndian_ ? std::uint16_t(p[0] << 8 | p[1]) : std::uint16_t(p[1] << 8 | p[0]);
    }
    std::uint32_t U32(std::size_t offset) const {
        const std::uint32_t high = U16(offset), low = U16(offset + 2);
        return bigEndian_ ? (high << 16 | low) : (low << 16 | high);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    bool bigEndian_;
};

int OrientationInFirstDirectory(const TiffReader& tiff) {
    const std::uint32_t directory = tiff.U32(4);
    if (!tiff.Fits(directory, 2)) return kOrientationUpright;
    const std::uint16_t entries = tiff.U16(directory);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::size_t entry = std::size_t(directory) + 2 + i * kIfdEntrySize;
        if (!tiff.Fits(entry, kIfdEntrySize)) break;
        if (tiff.U16(entry) != kOrientationTag) continue;
        if (tiff.U16(entry + 2) != kShortType || tiff.U32(entry + 4) < 1) return kOrientationUpright;
        const std::uint16_t value = tiff.U16(entry + 8);
        return value >= 1 && value <= 8 ? value : kOrientationUpright;
    }
    return kOrientationUpright;
}

}  // namespace

int ExifOrientation(const std::uint8_t* block, std::size_t size) {
    static constexpr char kExifPrefix[] = "Exif\0";  // with its terminator: six bytes
    if (size >= sizeof kExifPrefix && std::memcmp(block, kExifPrefix, sizeof kExifPrefix) == 0) {
        block += sizeof kExifPrefix;
        size -= sizeof kExifPrefix;
    }
    if (size < 8) return kOrientationUpright;
    const bool little = block[0] == 'I' && block[1] == 'I';
    const bool big = block[0] == 'M' && block[1] == 'M';
    if (!little && !big) return kOrientationUpright;
    const TiffReader tiff(block, size, big);
    if (tiff.U16(2) != 42) return kOrientationUpright;
    return OrientationInFirstDirectory(tiff);
}
