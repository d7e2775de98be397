#include "formats/HeifLibrary.h"

#include "formats/FormatLimits.h"
#include "formats/FormatMessages.h"
#include "formats/HeifRuntime.h"
#include "formats/PixelRows.h"
#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/ExifOrientation.h"
#include "graphics/Messages.h"
#include "platform/IccTransform.h"
#include "platform/QuietStderr.h"

namespace {

using formats::Heif;

struct HeifDeleter {
    void operator()(heif_context* context) const { Heif().context_free(context); }
    void operator()(heif_image_handle* handle) const { Heif().image_handle_release(handle); }
    void operator()(heif_image* image) const { Heif().image_release(image); }
};
template <class T>
using HeifPtr = std::unique_ptr<T, HeifDeleter>;

// Decoding a picture is one job; threads of its own would only compete with the program's.
constexpr int kDecodingThreads = 0;
// libheif bounds the sides of every coded image it decodes (tiles, alpha and depth planes too,
// which the header check does not see), not their area: the largest square within the pixel
// bound. A tiny file declaring a huge alpha plane would otherwise take gigabytes and minutes.
constexpr int kMaxCodedSide = 11585;
static_assert(std::int64_t(kMaxCodedSide) * kMaxCodedSide <= formats::kMaxPixels);

void Check(const heif_error& error) {
    if (error.code != heif_error_Ok) throw EInvalidGraphic(msg::SInvalidHeif);
}

// The context reads the bytes in place: they must outlive it.
class HeifFile {
public:
    HeifFile(const std::uint8_t* bytes, std::size_t size) : context_(Heif().context_alloc()) {
        if (!context_) throw EOutOfMemory(msg::SOutOfMemory);
        Heif().context_set_maximum_image_size_limit(context_.get(), kMaxCodedSide);
        Heif().context_set_max_decoding_threads(context_.get(), kDecodingThreads);
        Check(Heif().context_read_from_memory_without_copy(context_.get(), bytes, size, nullptr));
        heif_image_handle* handle = nullptr;
        Check(Heif().context_get_primary_image_handle(context_.get(), &handle));
        primary_.reset(handle);
    }

    // The coded size counts too: decoding allocates it before the rotation and crop.
    TStoredPicture Header() const {
        const heif_image_handle* h = primary_.get();
        formats::CheckPictureSize(Heif().image_handle_get_ispe_width(h), Heif().image_handle_get_ispe_height(h),
                                  msg::SInvalidHeif);
        const std::int32_t width = Heif().image_handle_get_width(h), height = Heif().image_handle_get_height(h);
        formats::CheckPictureSize(width, height, msg::SInvalidHeif);
        return {width, height, kOrientationUpright};
    }

    // The AV1 decoder prints its complaints about damaged data on standard error: not ours to show.
    HeifPtr<heif_image> Decode(bool alpha) const {
        heif_image* image = nullptr;
        const platform::QuietStderr quiet;
        Check(Heif().decode_image(primary_.get(), &image, heif_colorspace_RGB,
                                  alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr));
        return HeifPtr<heif_image>(image);
    }

    bool HasAlpha() const { return Heif().image_handle_has_alpha_channel(primary_.get()); }

    // An ICC profile ("prof" or "rICC"); colour given as code points ("nclx") is left alone.
    std::vector<std::uint8_t> Profile() const {
        const heif_color_profile_type type = Heif().image_handle_get_color_profile_type(primary_.get());
        if (type != heif_color_profile_type_prof && type != heif_color_profile_type_rICC) return {};
        std::vector<std::uint8_t> profile(Heif().image_handle_get_raw_color_profile_size(primary_.get()));
        if (profile.empty() || profile.size() > platform::kMaxIccProfileBytes) return {};
        if (Heif().image_handle_get_raw_color_profile(primary_.get(), profile.data()).code != heif_error_Ok) return {};
        return profile;
    }

private:
    HeifPtr<heif_context> context_;
    HeifPtr<heif_image_handle> primary_;
};

// The decoded plane, refused unless it is as large as its rows claim.
TPixelRows InterleavedRows(const heif_image* image, int channels) {
    int stride = 0;
    const std::uint8_t* plane = Heif().image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    const int width = Heif().image_get_width(image, heif_channel_interleaved);
    const int height = Heif().image_get_height(image, heif_channel_interleaved);
    if (!plane || Heif().image_get_bits_per_pixel_range(image, heif_channel_interleaved) != 8)
        throw EInvalidGraphic(msg::SInvalidHeif);
    formats::CheckPictureSize(width, height, msg::SInvalidHeif);
    if (std::int64_t(stride) < std::int64_t(width) * channels) throw EInvalidGraphic(msg::SInvalidHeif);
    return {plane, stride, width, height, channels};
}

}  // namespace

TStoredPicture formats::ReadHeifInfo(const std::uint8_t* bytes, std::size_t size) {
    return HeifFile(bytes, size).Header();
}

std::unique_ptr<TBitmap> formats::DecodeHeif(const std::uint8_t* bytes, std::size_t size) {
    const HeifFile file(bytes, size);
    const TStoredPicture header = file.Header();
    const bool alpha = file.HasAlpha();
    const HeifPtr<heif_image> image = file.Decode(alpha);
    const TPixelRows rows = InterleavedRows(image.get(), alpha ? 4 : 3);
    // The size rule was applied to the header's size: a picture of another size is not this file's.
    if (rows.width != header.width || rows.height != header.height) throw EInvalidGraphic(msg::SInvalidHeif);
    return ComposeOverWhite(rows);
}

std::vector<std::uint8_t> formats::HeifProfile(const std::uint8_t* bytes, std::size_t size) {
    try {
        return HeifFile(bytes, size).Profile();
    } catch (const Exception&) {
        return {};
    }
}
