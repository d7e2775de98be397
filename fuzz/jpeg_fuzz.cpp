// Any bytes as a JPEG file: a picture or EJPEG, never a crash or a leaked codec object.

#include <cstddef>
#include <cstdint>

#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/Streams.h"
#include "jpeg/JPEGImage.h"

namespace {
// Decoding cost grows with the declared size; larger pictures are only read to the header.
constexpr std::int64_t kMaxDecodedPixels = 1 << 22;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream;
    stream.WriteBuffer(data, std::int64_t(size));
    stream.SetPosition(0);
    TJPEGImage image;
    try {
        image.LoadFromStream(stream);
        if (std::int64_t(image.ImageWidth()) * image.ImageHeight() > kMaxDecodedPixels) return 0;
        TBitmap target;
        target.ResizeWidth(32);
        target.ResizeHeight(24);
        target.Canvas().StretchDrawGraphic({0, 0, 32, 24}, &image);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
