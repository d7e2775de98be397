// Any bytes as a JPEG file: a picture or EJPEG, never a crash or a leaked codec object.

#include <cstddef>
#include <cstdint>

#include "fuzz/ReadAndDraw.h"
#include "jpeg/JPEGImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return ReadAndDraw<TJPEGImage>(data, size);
}
