// Any bytes as a JPEG file: a picture or EJPEG, never a crash or a leaked codec object.

#include <cstddef>
#include <cstdint>

#include "graphics/Exceptions.h"
#include "fuzz/FuzzInput.h"
#include "jpeg/JPEGImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto stream = StreamOf(data, size);
    TJPEGImage image;
    try {
        image.LoadFromStream(*stream);
        if (std::int64_t(image.ImageWidth()) * image.ImageHeight() > kMaxDrawnPixels) return 0;
        DrawSmall(image);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
