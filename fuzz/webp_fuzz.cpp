// Any bytes as a WebP file: a picture or "WebP image is not valid", never a crash, a hang or a
// library message; what loads and is not too large to draw quickly is streamed row by row as
// the conversion takes it, then drawn once.

#include "formats/WebPImage.h"
#include "fuzz/ReadAndDraw.h"
#include "fuzz/StreamEveryRow.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return ReadAndDraw<TWebPImage>(data, size, [](TWebPImage& image) { StreamEveryRow(image); });
}
