// Any bytes as a GIF file: a model or the library's own failure, never a crash; what loads is
// drawn once, as the conversion command draws it, and written again.

#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzInput.h"
#include "gif/GIFImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto stream = StreamOf(data, size);
    TGIFImage image;
    try {
        image.LoadFromStream(*stream);
    } catch (const GIFException&) {
        return 0;
    }
    try {
        // Drawing cost grows with the screen and the first frame; larger pictures are only read.
        const bool small = std::int64_t(image.ImageWidth()) * image.ImageHeight() <= kMaxDrawnPixels &&
                           (image.IsEmpty() || image.Images().Frame(0)->PixelCount() <= kMaxDrawnPixels);
        if (small) DrawSmall(image);
        TMemoryStream written;
        image.SaveToStream(written);
    } catch (const GIFException&) {
        // No colour table to draw with, or indices the tables do not cover.
    }
    return 0;
}
