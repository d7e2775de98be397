#include "jpeg/JpegOrientation.h"

#include <cstring>

#include "graphics/ExifOrientation.h"
#include "jpeg/JPEGImage.h"

namespace {

constexpr std::uint8_t kStartOfImage = 0xd8;
constexpr std::uint8_t kEndOfImage = 0xd9;
constexpr std::uint8_t kStartOfScan = 0xda;
constexpr std::uint8_t kApp1 = 0xe1;
constexpr char kExifName[] = "Exif\0";  // with its terminator: six bytes

// Markers without a length field: TEM and the restart markers.
bool Standalone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7); }

}  // namespace

// Walks the marker segments from SOI; every length is checked against the end of the bytes.
int jpeg::JpegOrientation(const std::uint8_t* bytes, std::size_t size) {
    if (size < 4 || bytes[0] != 0xff || bytes[1] != kStartOfImage) return kOrientationUpright;
    std::size_t at = 2;
    while (at + 1 < size) {
        if (bytes[at] != 0xff) return kOrientationUpright;
        const std::uint8_t marker = bytes[at + 1];
        if (marker == 0xff) {  // fill byte
            ++at;
            continue;
        }
        at += 2;
        if (marker == kStartOfScan || marker == kEndOfImage) break;
        if (Standalone(marker)) continue;
        if (at + 2 > size) break;
        const std::size_t length = std::size_t(bytes[at] << 8 | bytes[at + 1]);
        if (length < 2 || length > size - at) break;
        const std::uint8_t* body = bytes + at + 2;
        const std::size_t bodySize = length - 2;
        if (marker == kApp1 && bodySize >= sizeof kExifName && std::memcmp(body, kExifName, sizeof kExifName) == 0)
            return ExifOrientation(body, bodySize);
        at += length;
    }
    return kOrientationUpright;
}

int jpeg::JpegOrientation(const TJPEGImage& image) {
    TMemoryStream* bytes = image.DataObject().ByteStream.get();
    if (!bytes) return kOrientationUpright;
    return JpegOrientation(bytes->Memory(), std::size_t(bytes->Size()));
}
