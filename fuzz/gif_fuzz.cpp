// Any bytes as a GIF file: a model or the library's own failure, never a crash; what loads is
// drawn once, as the conversion command draws it, through the animation painters repeating
// without end, and written again. A first frame that never came would mean a draw that only its
// time limit ended, so that is a failure too.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/FuzzInput.h"
#include "gif/GIFImage.h"
#include "gif/GIFPainter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto stream = StreamOf(data, size);
    TGIFImage image;
    try {
        image.LoadFromStream(*stream);
    } catch (const GIFException&) {
        return 0;
    }
    // Drawing and writing cost grows with the screen and the frames; larger pictures are only read.
    std::int64_t pixels = std::int64_t(image.ImageWidth()) * image.ImageHeight();
    for (int i = 0; i < image.Images().Count(); ++i) pixels += image.Images().Frame(i)->PixelCount();
    if (pixels > kMaxDrawnPixels) return 0;
    image.PaintOptions |= goLoopEndlessly;
    try {
        DrawSmall(image);
        if (const TGIFPainter* painter = image.ShowingPainter();
            painter && !painter->Terminated() && !painter->FirstFramePainted())
            std::abort();
        TMemoryStream written;
        image.SaveToStream(written);
    } catch (const GIFException&) {
        // No colour table to draw with, or indices the tables do not cover.
    }
    return 0;
}
