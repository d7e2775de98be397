// PNG-compressed icon images, decoded into 32-bit blue-green-red-alpha rows whose alpha becomes
// the mask.
#include <cstring>

#include "graphics/Exceptions.h"
#include "graphics/IconEntry.h"
#include "graphics/IconFile.h"
#include "graphics/Messages.h"
#include "graphics/PngDecoder.h"

namespace ico {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Ancillary chunks (text, profiles) are skipped beyond this size; libpng's own default is 8 MB.
constexpr std::size_t kMaxChunkBytes = 1 << 20;
constexpr TPngLimits kLimits{kMaxImageDimension, kMaxImagePixels, kMaxChunkBytes};

}  // namespace

bool IsPngEntry(const std::uint8_t* bytes, std::size_t size) {
    return size >= sizeof kSignature && std::memcmp(bytes, kSignature, sizeof kSignature) == 0;
}

EntryPixels ReadPngEntry(const std::uint8_t* bytes, std::size_t size) {
    TPngDecoder decoder(bytes, size, kLimits, msg::SInvalidIcon);
    decoder.ReadInfo();
    decoder.SetSamples(TPngSamples::Bgra);
    const std::int32_t width = decoder.Width(), height = decoder.Height();
    const std::ptrdiff_t stride = std::ptrdiff_t(width) * 4;
    EntryPixels pixels;
    pixels.colorInfo.bmiHeader = {40, width, height, 1, 32, platform::BI_RGB, std::uint32_t(stride * height),
                                  0,  0,     0,      0};
    pixels.color.resize(std::size_t(stride) * std::size_t(height));
    // Rows are stored bottom-up, as in the icon's bitmaps.
    decoder.ReadRows(pixels.color.data() + (height - 1) * stride, -stride);
    MaskFromAlpha(pixels);
    return pixels;
}

}  // namespace ico
