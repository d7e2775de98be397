// The ICC profile a BMP file with a version 5 header embeds, found through the header's offset.

#include "graphics/BmpFile.h"
#include "platform/IccTransform.h"
#include "platform/LittleEndian.h"

namespace {

// Fields of the version 5 header, counted from the start of the header (its size field).
constexpr std::size_t kCsTypeAt = 56;
constexpr std::size_t kProfileDataAt = 112;
constexpr std::size_t kProfileSizeAt = 116;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kProfileEmbedded = 0x4D424544;  // "MBED"; linked profiles ("LINK") are never opened

std::uint32_t FieldAt(std::span<const std::uint8_t> header, std::size_t at) {
    return platform::LittleU32(header.data() + at - 4);  // the size field is not in `header`
}

}  // namespace

namespace bmp {

std::vector<std::uint8_t> ReadEmbeddedProfile(TStream& stream, std::int64_t count, std::uint32_t headerSize,
                                              std::span<const std::uint8_t> header) {
    if (headerSize < kV5HeaderSize || header.size() + 4 < kV5HeaderSize) return {};
    if (FieldAt(header, kCsTypeAt) != kProfileEmbedded) return {};
    const std::int64_t offset = FieldAt(header, kProfileDataAt);
    const std::int64_t size = FieldAt(header, kProfileSizeAt);
    const std::int64_t resume = stream.Position();
    const std::int64_t headerStart = resume - headerSize;
    // Inside the bitmap's bytes, after the header, and not larger than any real profile.
    if (offset < headerSize || size <= 0 || size > std::int64_t(platform::kMaxIccProfileBytes) ||
        offset + size > count || headerStart + offset + size > stream.Size())
        return {};
    std::vector<std::uint8_t> profile(std::size_t(size), 0);
    stream.SetPosition(headerStart + offset);
    stream.ReadBuffer(profile.data(), size);
    stream.SetPosition(resume);
    return profile;
}

}  // namespace bmp
