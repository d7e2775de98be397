#include "formats/WebPLibrary.h"

#include <algorithm>
#include <vector>

#include <webp/decode.h>
#include <webp/demux.h>

#include "formats/FormatLimits.h"
#include "formats/FormatMessages.h"
#include "formats/PixelRows.h"
#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/ExifOrientation.h"
#include "graphics/Messages.h"
#include "platform/ReleasableMemory.h"
#include "platform/RuntimeLibrary.h"

namespace {

[[noreturn]] void Invalid() { throw EInvalidGraphic(msg::SInvalidWebP); }

// Every libwebp and libwebpdemux function used here; the libraries are opened with the first
// WebP file read. The header's inline wrappers call the "Internal" functions with its version.
// clang-format off
#define OBRAZOR_WEBP_CALLS(X)                                                                          \
    X(WebPGetFeaturesInternal) X(WebPDecodeRGBAInto) X(WebPDecodeRGBInto) X(WebPINewRGB) X(WebPIUpdate) \
    X(WebPIDecGetRGB) X(WebPIDelete)
#define OBRAZOR_WEBP_DEMUX_CALLS(X)                                                                    \
    X(WebPDemuxInternal) X(WebPDemuxGetI) X(WebPDemuxGetChunk) X(WebPDemuxReleaseChunkIterator)        \
    X(WebPDemuxDelete) X(WebPAnimDecoderOptionsInitInternal) X(WebPAnimDecoderNewInternal)             \
    X(WebPAnimDecoderGetInfo) X(WebPAnimDecoderGetNext) X(WebPAnimDecoderDelete)
// clang-format on

struct WebPCalls {
    OBRAZOR_WEBP_CALLS(OBRAZOR_RUNTIME_SLOT)
};
struct WebPDemuxCalls {
    OBRAZOR_WEBP_DEMUX_CALLS(OBRAZOR_RUNTIME_SLOT)
};

// The libraries' functions; a library that cannot be had makes every file invalid.
template <class Calls>
const Calls& Required(const Calls* loaded) {
    if (!loaded) Invalid();
    return *loaded;
}

const WebPCalls& Decoder() {
    return Required(platform::RuntimeCalls<WebPCalls>(
        OBRAZOR_WEBP_LIBRARY,
        [](void* library, WebPCalls& calls, bool& complete) { OBRAZOR_WEBP_CALLS(OBRAZOR_RUNTIME_BIND) }));
}

const WebPDemuxCalls& Demuxer() {
    return Required(platform::RuntimeCalls<WebPDemuxCalls>(
        OBRAZOR_WEBP_DEMUX_LIBRARY,
        [](void* library, WebPDemuxCalls& calls, bool& complete) { OBRAZOR_WEBP_DEMUX_CALLS(OBRAZOR_RUNTIME_BIND) }));
}

WebPDemuxer* NewDemuxer(const WebPData& data) {
    return Demuxer().WebPDemuxInternal(&data, 0, nullptr, WEBP_DEMUX_ABI_VERSION);
}

VP8StatusCode GetFeatures(const std::uint8_t* bytes, std::size_t size, WebPBitstreamFeatures& features) {
    return Decoder().WebPGetFeaturesInternal(bytes, size, &features, WEBP_DECODER_ABI_VERSION);
}

struct DemuxDeleter {
    void operator()(WebPDemuxer* demux) const { Demuxer().WebPDemuxDelete(demux); }
};
struct AnimDecoderDeleter {
    void operator()(WebPAnimDecoder* decoder) const { Demuxer().WebPAnimDecoderDelete(decoder); }
};
struct IncrementalDeleter {
    void operator()(WebPIDecoder* decoder) const { Decoder().WebPIDelete(decoder); }
};

// The incremental decoder is given this much more of the file at a time; each step ends with
// the rows it finished handed on and their memory given back.
constexpr std::size_t kStepBytes = std::size_t(64) << 10;

int ExifChunkOrientation(WebPDemuxer* demux) {
    WebPChunkIterator chunk;
    if (!Demuxer().WebPDemuxGetChunk(demux, "EXIF", 1, &chunk)) return kOrientationUpright;
    const int orientation = ExifOrientation(chunk.chunk.bytes, chunk.chunk.size);
    Demuxer().WebPDemuxReleaseChunkIterator(&chunk);
    return orientation;
}

std::unique_ptr<TBitmap> FirstFrame(const WebPData& data) {
    WebPAnimDecoderOptions options;
    if (!Demuxer().WebPAnimDecoderOptionsInitInternal(&options, WEBP_DEMUX_ABI_VERSION)) Invalid();
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    const std::unique_ptr<WebPAnimDecoder, AnimDecoderDeleter> decoder(
        Demuxer().WebPAnimDecoderNewInternal(&data, &options, WEBP_DEMUX_ABI_VERSION));
    WebPAnimInfo info;
    if (!decoder || !Demuxer().WebPAnimDecoderGetInfo(decoder.get(), &info)) Invalid();
    formats::CheckPictureSize(info.canvas_width, info.canvas_height, msg::SInvalidWebP);
    std::uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!Demuxer().WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp) || !canvas) Invalid();
    const auto width = std::int32_t(info.canvas_width), height = std::int32_t(info.canvas_height);
    return ComposeOverWhite({canvas, std::ptrdiff_t(width) * 4, width, height, 4});
}

std::unique_ptr<TBitmap> StillPicture(const std::uint8_t* bytes, std::size_t size) {
    WebPBitstreamFeatures features;
    if (GetFeatures(bytes, size, features) != VP8_STATUS_OK) Invalid();
    formats::CheckPictureSize(features.width, features.height, msg::SInvalidWebP);
    const int channels = features.has_alpha ? 4 : 3;
    const std::size_t stride = std::size_t(features.width) * std::size_t(channels);
    std::vector<std::uint8_t> pixels(stride * std::size_t(features.height));
    const auto decode = features.has_alpha ? Decoder().WebPDecodeRGBAInto : Decoder().WebPDecodeRGBInto;
    if (!decode(bytes, size, pixels.data(), pixels.size(), int(stride))) Invalid();
    return ComposeOverWhite({pixels.data(), std::ptrdiff_t(stride), features.width, features.height, channels});
}

bool Animated(const WebPData& data) {
    const std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(NewDemuxer(data));
    if (!demux) Invalid();
    return Demuxer().WebPDemuxGetI(demux.get(), WEBP_FF_FORMAT_FLAGS) & ANIMATION_FLAG;
}

// Rows [first, last) of the decoder's output handed on, composed over white when they have alpha.
class RowHandOver {
public:
    RowHandOver(std::int32_t width, int channels, const TBgrRowSink& sink, const TRowWanted& wanted)
        : width_(width), channels_(channels), sink_(sink), wanted_(wanted), bgr_(std::size_t(width) * 3) {}

    void Rows(const std::uint8_t* first, std::ptrdiff_t stride, std::int32_t from, std::int32_t to) {
        for (std::int32_t y = from; y < to; ++y) {
            if (wanted_ && !wanted_(y)) continue;
            const std::uint8_t* row = first + y * stride;
            if (channels_ == 4) {
                ComposeRowOverWhite(row, bgr_.data(), width_, channels_);
                row = bgr_.data();
            }
            sink_(y, row, width_);
        }
    }

private:
    std::int32_t width_;
    int channels_;
    const TBgrRowSink& sink_;
    const TRowWanted& wanted_;
    std::vector<std::uint8_t> bgr_;
};

}  // namespace

TStoredPicture formats::ReadWebPInfo(const std::uint8_t* bytes, std::size_t size) {
    const WebPData data{bytes, size};
    const std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(NewDemuxer(data));
    if (!demux) Invalid();
    const std::int64_t width = Demuxer().WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_WIDTH);
    const std::int64_t height = Demuxer().WebPDemuxGetI(demux.get(), WEBP_FF_CANVAS_HEIGHT);
    CheckPictureSize(width, height, msg::SInvalidWebP);
    return {std::int32_t(width), std::int32_t(height), ExifChunkOrientation(demux.get())};
}

std::unique_ptr<TBitmap> formats::DecodeWebP(const std::uint8_t* bytes, std::size_t size) {
    const WebPData data{bytes, size};
    return Animated(data) ? FirstFrame(data) : StillPicture(bytes, size);
}

bool formats::StreamWebP(const std::uint8_t* bytes, std::size_t size, const TBgrRowSink& sink,
                         const TRowWanted& wanted) {
    if (Animated({bytes, size})) return false;
    WebPBitstreamFeatures features;
    if (GetFeatures(bytes, size, features) != VP8_STATUS_OK) Invalid();
    CheckPictureSize(features.width, features.height, msg::SInvalidWebP);
    // Without alpha the decoder writes the rows in the bitmap's own order, as they are drawn.
    const int channels = features.has_alpha ? 4 : 3;
    const std::ptrdiff_t stride = std::ptrdiff_t(features.width) * channels;
    platform::ReleasableMemory output(std::size_t(stride) * std::size_t(features.height));
    if (!output.Data()) throw EOutOfMemory(msg::SOutOfMemory);
    const std::unique_ptr<WebPIDecoder, IncrementalDeleter> decoder(
        Decoder().WebPINewRGB(features.has_alpha ? MODE_RGBA : MODE_BGR, output.Data(), output.Size(), int(stride)));
    if (!decoder) Invalid();
    RowHandOver handOver(features.width, channels, sink, wanted);
    std::int32_t done = 0;
    VP8StatusCode status = VP8_STATUS_SUSPENDED;
    for (std::size_t given = 0; status == VP8_STATUS_SUSPENDED && given < size;) {
        given = std::min(size, given + kStepBytes);
        status = Decoder().WebPIUpdate(decoder.get(), bytes, given);
        int finished = 0;
        if ((status == VP8_STATUS_OK || status == VP8_STATUS_SUSPENDED) &&
            Decoder().WebPIDecGetRGB(decoder.get(), &finished, nullptr, nullptr, nullptr)) {
            handOver.Rows(output.Data(), stride, done, finished);
            done = finished;
            output.ReleaseBelow(std::size_t(done) * std::size_t(stride));
        }
    }
    if (status != VP8_STATUS_OK || done != features.height) Invalid();
    return true;
}

std::vector<std::uint8_t> formats::WebPProfile(const std::uint8_t* bytes, std::size_t size) {
    const WebPData data{bytes, size};
    const std::unique_ptr<WebPDemuxer, DemuxDeleter> demux(NewDemuxer(data));
    WebPChunkIterator chunk;
    if (!demux || !Demuxer().WebPDemuxGetChunk(demux.get(), "ICCP", 1, &chunk)) return {};
    std::vector<std::uint8_t> profile(chunk.chunk.bytes, chunk.chunk.bytes + chunk.chunk.size);
    Demuxer().WebPDemuxReleaseChunkIterator(&chunk);
    return profile;
}
