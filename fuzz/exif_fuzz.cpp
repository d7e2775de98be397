// Any bytes as an EXIF block and as the marker segments of a JPEG file: an orientation from 1 to
// 8, never a read past the end.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "graphics/ExifOrientation.h"
#include "jpeg/JpegOrientation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int exif = ExifOrientation(data, size);
    const int jpeg = jpeg::JpegOrientation(data, size);
    if (exif < 1 || exif > 8 || jpeg < 1 || jpeg > 8) std::abort();
    return 0;
}
