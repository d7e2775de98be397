#include "formats/PngLibrary.h"

#include <csetjmp>
#include <cstring>
#include <vector>

#include <png.h>

#include "formats/FormatLimits.h"
#include "formats/FormatMessages.h"
#include "formats/PixelRows.h"
#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "graphics/ExifOrientation.h"

namespace {

struct MemorySource {
    const std::uint8_t* bytes;
    std::size_t size;
    std::size_t position;
};

// libpng's fatal errors leave by longjmp to the guarded call; nothing is printed.
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto& source = *static_cast<MemorySource*>(png_get_io_ptr(png));
    if (count > source.size - source.position) png_error(png, "truncated");
    std::memcpy(out, source.bytes + source.position, count);
    source.position += count;
}

// The one landing point for libpng's longjmp: false when the step failed. Steps run here must
// hold no object with a destructor while they call the library, since the jump skips it.
bool RunGuarded(png_structp png, void (*run)(void*), void* step) {
    if (setjmp(png_jmpbuf(png))) return false;
    run(step);
    return true;
}

class PngReader {
public:
    PngReader(const std::uint8_t* bytes, std::size_t size) : source_{bytes, size, 0} {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
        if (!png_) throw EOutOfMemory(msg::SOutOfMemory);
        info_ = png_create_info_struct(png_);
        if (!info_) {
            png_destroy_read_struct(&png_, nullptr, nullptr);
            throw EOutOfMemory(msg::SOutOfMemory);
        }
        png_set_read_fn(png_, &source_, ReadFromMemory);
        png_set_user_limits(png_, formats::kMaxSide, formats::kMaxSide);
    }
    ~PngReader() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    template <class Step>
    void Call(Step&& step) {
        using StepType = std::remove_reference_t<Step>;
        if (!RunGuarded(png_, [](void* s) { (*static_cast<StepType*>(s))(); }, &step))
            throw EInvalidGraphic(msg::SInvalidPng);
    }

    TStoredPicture ReadInfo() {
        Call([this] { png_read_info(png_, info_); });
        const std::int64_t width = png_get_image_width(png_, info_), height = png_get_image_height(png_, info_);
        formats::CheckPictureSize(width, height, msg::SInvalidPng);
        return {std::int32_t(width), std::int32_t(height), Orientation()};
    }

    // Every colour type as 8-bit red-green-blue, with alpha when the file has any.
    int ExpandToRgb() {
        Call([this] {
            png_set_scale_16(png_);
            png_set_expand(png_);
            png_set_gray_to_rgb(png_);
            png_set_interlace_handling(png_);
            png_read_update_info(png_, info_);
        });
        const int channels = png_get_channels(png_, info_);
        if ((channels != 3 && channels != 4) || png_get_rowbytes(png_, info_) != png_get_image_width(png_, info_) * std::size_t(channels))
            throw EInvalidGraphic(msg::SInvalidPng);
        return channels;
    }

    std::vector<std::uint8_t> Profile() {
        png_charp name = nullptr;
        int compression = 0;
        png_bytep profile = nullptr;
        png_uint_32 length = 0;
        if (!png_get_iCCP(png_, info_, &name, &compression, &profile, &length) || !profile) return {};
        return std::vector<std::uint8_t>(profile, profile + length);
    }

    void ReadImage(png_bytepp rows) {
        Call([this, rows] { png_read_image(png_, rows); });
    }

private:
    int Orientation() {
        png_uint_32 count = 0;
        png_bytep exif = nullptr;
        if (!png_get_eXIf_1(png_, info_, &count, &exif) || !exif) return kOrientationUpright;
        return ExifOrientation(exif, count);
    }

    MemorySource source_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

}  // namespace

TStoredPicture formats::ReadPngInfo(const std::uint8_t* bytes, std::size_t size) {
    PngReader reader(bytes, size);
    return reader.ReadInfo();
}

std::unique_ptr<TBitmap> formats::DecodePng(const std::uint8_t* bytes, std::size_t size) {
    PngReader reader(bytes, size);
    const TStoredPicture info = reader.ReadInfo();
    const int channels = reader.ExpandToRgb();
    const std::size_t stride = std::size_t(info.width) * std::size_t(channels);
    std::vector<std::uint8_t> pixels(stride * std::size_t(info.height));
    std::vector<png_bytep> rows(std::size_t(info.height));
    for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = pixels.data() + y * stride;
    reader.ReadImage(rows.data());
    return ComposeOverWhite({pixels.data(), std::ptrdiff_t(stride), info.width, info.height, channels});
}

std::vector<std::uint8_t> formats::PngProfile(const std::uint8_t* bytes, std::size_t size) {
    try {
        PngReader reader(bytes, size);
        reader.ReadInfo();
        return reader.Profile();
    } catch (const Exception&) {
        return {};
    }
}
