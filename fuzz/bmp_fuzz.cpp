// Any bytes as a BMP file: a bitmap or the reader's own failure, never a crash; what loads is
// drawn once, as the conversion command draws it.

#include <cstddef>
#include <cstdint>

#include "graphics/Exceptions.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto stream = StreamOf(data, size);
    TBitmap bitmap;
    try {
        bitmap.LoadFromStream(*stream);
    } catch (const EInvalidGraphic&) {
        return 0;
    } catch (const EReadError&) {
        return 0;
    }
    if (std::int64_t(bitmap.ImageWidth()) * bitmap.ImageHeight() > kMaxDrawnPixels) return 0;
    DrawSmall(bitmap);
    TMemoryStream written;
    bitmap.SaveToStream(written);
    return 0;
}
