#include "formats/PngLibrary.h"

#include <vector>

#include "formats/FormatLimits.h"
#include "formats/FormatMessages.h"
#include "formats/PixelRows.h"
#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/PngDecoder.h"
#include "platform/IccTransform.h"

namespace {

// Ancillary chunks are kept up to libpng's own default size, well above the largest colour
// profile the colour service takes.
constexpr std::size_t kMaxChunkBytes = 8'000'000;
static_assert(platform::kMaxIccProfileBytes <= kMaxChunkBytes);
constexpr TPngLimits kLimits{formats::kMaxSide, formats::kMaxPixels, kMaxChunkBytes};

}  // namespace

TStoredPicture formats::ReadPngInfo(const std::uint8_t* bytes, std::size_t size) {
    TPngDecoder decoder(bytes, size, kLimits, msg::SInvalidPng);
    decoder.ReadInfo();
    return {decoder.Width(), decoder.Height(), decoder.Orientation()};
}

std::unique_ptr<TBitmap> formats::DecodePng(const std::uint8_t* bytes, std::size_t size) {
    TPngDecoder decoder(bytes, size, kLimits, msg::SInvalidPng);
    decoder.ReadInfo();
    const int channels = decoder.SetSamples(TPngSamples::RgbOrRgba);
    const std::ptrdiff_t stride = std::ptrdiff_t(decoder.Width()) * channels;
    std::vector<std::uint8_t> pixels(std::size_t(stride) * std::size_t(decoder.Height()));
    decoder.ReadRows(pixels.data(), stride);
    return ComposeOverWhite({pixels.data(), stride, decoder.Width(), decoder.Height(), channels});
}

bool formats::StreamPng(const std::uint8_t* bytes, std::size_t size, const TBgrRowSink& sink,
                        const TRowWanted& wanted) {
    TPngDecoder decoder(bytes, size, kLimits, msg::SInvalidPng);
    decoder.ReadInfo();
    if (decoder.Interlaced()) return false;
    const int channels = decoder.SetSamples(TPngSamples::RgbOrRgba);
    const std::int32_t width = decoder.Width();
    std::vector<std::uint8_t> row(std::size_t(width) * std::size_t(channels)), bgr(std::size_t(width) * 3);
    for (std::int32_t y = 0; y < decoder.Height(); ++y) {
        decoder.ReadRow(row.data());
        if (wanted && !wanted(y)) continue;
        ComposeRowOverWhite(row.data(), bgr.data(), width, channels);
        sink(y, bgr.data(), width);
    }
    return true;
}

std::vector<std::uint8_t> formats::PngProfile(const std::uint8_t* bytes, std::size_t size) {
    try {
        TPngDecoder decoder(bytes, size, kLimits, msg::SInvalidPng);
        decoder.ReadInfo();
        return decoder.Profile();
    } catch (const Exception&) {
        return {};
    }
}
