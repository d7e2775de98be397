// Any bytes as a BMP file: a bitmap or the reader's own failure, never a crash; what loads is
// drawn once, as the conversion command draws it.

#include <cstddef>
#include <cstdint>

#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/Streams.h"

namespace {
// Drawing is where pixels are read; keep it to pictures that draw quickly.
constexpr std::int64_t kMaxDrawnPixels = 1 << 22;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TMemoryStream stream;
    stream.WriteBuffer(data, std::int64_t(size));
    stream.SetPosition(0);
    TBitmap bitmap;
    try {
        bitmap.LoadFromStream(stream);
    } catch (const EInvalidGraphic&) {
        return 0;
    } catch (const EReadError&) {
        return 0;
    }
    if (std::int64_t(bitmap.ImageWidth()) * bitmap.ImageHeight() > kMaxDrawnPixels) return 0;
    TBitmap target;
    target.ResizeWidth(32);
    target.ResizeHeight(24);
    target.Canvas().StretchDrawGraphic({0, 0, 32, 24}, &bitmap);
    TMemoryStream written;
    bitmap.SaveToStream(written);
    return 0;
}
