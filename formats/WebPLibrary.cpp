#include "formats/WebPLibrary.h"

#include <vector>

#include <webp/decode.h>
#include <webp/demux.h>

#include "formats/FormatLimits.h"
#include "formats/FormatMessages.h"
#include "formats/PixelRows.h"
#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/ExifOrientation.h"

namespace {

struct DemuxDeleter {
    void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};
struct AnimDecoderDeleter {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

[[noreturn]] void Invalid() { throw EInvalidGraphic(msg::SInvalidWebP); }

int ExifChunkOrientation(WebPDemuxer* demux) {
    WebPChunkIterator chunk;
    if (!WebPDemuxGetChunk(demux, "EXIF", 1, &chunk)) return kOrientationUpright;
    const int orientation = ExifOrientation(chunk.chunk.bytes, chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
    return orientation;
}

std::unique_ptr<TBitmap> FirstFrame(const WebPData& data) {
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) Invalid();
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    const std::unique_ptr<WebPAnimDecoder, AnimDecoderDeleter> decoder(WebPAnimDecoderNew(&data, &options));
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) Invalid();
    formats::CheckPictureSize(info.canvas_width, info.canvas_height, msg::SInvalidWebP);
    std::uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp) || !canvas) Invalid();
    const auto width = std::int32_t(info.canvas_width), height = std::int32_t(info.canvas_height);
    return ComposeOverWhite({canvas, std::ptrdiff_t(width) * 4, width, height, 4});
}

std::unique_ptr<TBitmap> StillPicture(const std::uint8_t* bytes, std::size_t size) {
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(bytes, size, &features) != VP8_STATUS_OK) Invalid();
    formats::CheckPictureSize(features.width, features.height, msg::SInvalidWebP);
    const int channels = features.has_alpha ? 4 : 3;
    const std::size_t stride = std::size_t(features.width) * std::size_t(channels);
    std::vector<std::uint8_t> pixels(stride * std::size_t(features.height));
    const auto decode = features.has_alpha ? WebPDecodeRGBAInto : WebPDecodeRGBInto;
    if (!decode(bytes, size, pixels.data(), pixels.size(), int(stride))) Invalid();
    return ComposeOverWhite({pixels.data(), std::ptrdiff_t(stride), features.width, features.height, channels});
}

}  // namespace

TStoredPicture formats::ReadWebPInfo(const std::uint8_t* bytes, std::size_t size) {
    const WebPData data{bytes, size};
    const std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&data));
    if (!demux) Invalid();
    const std::int64_t width = WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH);
    const std::int64_t height = WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT);
    CheckPictureSize(width, height, msg::SInvalidWebP);
    return {std::int32_t(width), std::int32_t(height), ExifChunkOrientation(demux.get())};
}

std::unique_ptr<TBitmap> formats::DecodeWebP(const std::uint8_t* bytes, std::size_t size) {
    const WebPData data{bytes, size};
    std::uint32_t flags = 0;
    {
        const std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&data));
        if (!demux) Invalid();
        flags = WebPDemuxGetI(demux.get(), WEBP_FF_FORMAT_FLAGS);
    }
    return (flags & ANIMATION_FLAG) ? FirstFrame(data) : StillPicture(bytes, size);
}

std::vector<std::uint8_t> formats::WebPProfile(const std::uint8_t* bytes, std::size_t size) {
    const WebPData data{bytes, size};
    const std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(WebPDemux(&data));
    WebPChunkIterator chunk;
    if (!demux || !WebPDemuxGetChunk(demux.get(), "ICCP", 1, &chunk)) return {};
    std::vector<std::uint8_t> profile(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
    return profile;
}
