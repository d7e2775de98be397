#include "graphics/PngDecoder.h"

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include <png.h>

#include "graphics/Exceptions.h"
#include "graphics/ExifOrientation.h"
#include "graphics/Messages.h"
#include "platform/RuntimeLibrary.h"

namespace {

// Every libpng function used here; the library is opened with the first PNG data read.
// clang-format off
#define OBRAZOR_PNG_CALLS(X)                                                                         \
    X(png_create_info_struct) X(png_create_read_struct) X(png_destroy_read_struct) X(png_error)      \
    X(png_get_channels) X(png_get_eXIf_1) X(png_get_iCCP) X(png_get_image_height)                    \
    X(png_get_image_width) X(png_get_interlace_type) X(png_get_io_ptr) X(png_get_rowbytes)           \
    X(png_longjmp) X(png_read_image) X(png_read_info) X(png_read_row) X(png_read_update_info)        \
    X(png_set_add_alpha) X(png_set_bgr) X(png_set_chunk_malloc_max) X(png_set_expand)                \
    X(png_set_gray_to_rgb) X(png_set_interlace_handling) X(png_set_longjmp_fn) X(png_set_read_fn)    \
    X(png_set_scale_16) X(png_set_strip_16) X(png_set_user_limits)
// clang-format on

struct PngCalls {
    OBRAZOR_PNG_CALLS(OBRAZOR_RUNTIME_SLOT)
};

const PngCalls* LoadedPng() {
    return platform::RuntimeCalls<PngCalls>(OBRAZOR_PNG_LIBRARY, [](void* library, PngCalls& calls, bool& complete) {
        OBRAZOR_PNG_CALLS(OBRAZOR_RUNTIME_BIND)
    });
}

// Called only once a decoder has found the library loaded.
const PngCalls& Png() { return *LoadedPng(); }

// libpng's fatal errors leave by longjmp to the guarded call; nothing is printed.
[[noreturn]] void OnError(png_structp png, png_const_charp) {
    Png().png_longjmp(png, 1);
    std::abort();  // the jump does not return
}
void OnWarning(png_structp, png_const_charp) {}

template <class Source>
void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto& source = *static_cast<Source*>(Png().png_get_io_ptr(png));
    if (count > source.size - source.position) Png().png_error(png, "truncated");
    std::memcpy(out, source.bytes + source.position, count);
    source.position += count;
}

// The one landing point for libpng's longjmp: false when the step failed. Steps run here must
// hold no object with a destructor while they call the library, since the jump skips it.
bool RunGuarded(png_structp png, void (*run)(void*), void* step) {
    if (setjmp(*Png().png_set_longjmp_fn(png, std::longjmp, sizeof(std::jmp_buf)))) return false;
    run(step);
    return true;
}

}  // namespace

TPngDecoder::TPngDecoder(const std::uint8_t* bytes, std::size_t size, const TPngLimits& limits,
                         const char* invalidMessage)
    : source_{bytes, size, 0}, limits_(limits), invalidMessage_(invalidMessage) {
    if (!LoadedPng()) throw EInvalidGraphic(invalidMessage_);
    png_ = Png().png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png_) throw EOutOfMemory(msg::SOutOfMemory);
    info_ = Png().png_create_info_struct(png_);
    if (!info_) {
        Png().png_destroy_read_struct(&png_, nullptr, nullptr);
        throw EOutOfMemory(msg::SOutOfMemory);
    }
    Png().png_set_read_fn(png_, &source_, ReadFromMemory<Source>);
    Png().png_set_user_limits(png_, png_uint_32(limits.maxSide), png_uint_32(limits.maxSide));
    Png().png_set_chunk_malloc_max(png_, limits.maxChunkBytes);
}

TPngDecoder::~TPngDecoder() { Png().png_destroy_read_struct(&png_, &info_, nullptr); }

template <class Step>
void TPngDecoder::Call(Step&& step) {
    using StepType = std::remove_reference_t<Step>;
    if (!RunGuarded(
            png_, [](void* s) { (*static_cast<StepType*>(s))(); }, &step))
        throw EInvalidGraphic(invalidMessage_);
}

void TPngDecoder::ReadInfo() {
    Call([this] { Png().png_read_info(png_, info_); });
    const std::int64_t width = Png().png_get_image_width(png_, info_), height = Png().png_get_image_height(png_, info_);
    if (width < 1 || height < 1 || width > limits_.maxSide || height > limits_.maxSide ||
        width * height > limits_.maxPixels)
        throw EInvalidGraphic(invalidMessage_);
    width_ = std::int32_t(width);
    height_ = std::int32_t(height);
}

int TPngDecoder::Orientation() {
    png_uint_32 count = 0;
    png_bytep exif = nullptr;
    if (!Png().png_get_eXIf_1(png_, info_, &count, &exif) || !exif) return kOrientationUpright;
    return ExifOrientation(exif, count);
}

std::vector<std::uint8_t> TPngDecoder::Profile() {
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 length = 0;
    if (!Png().png_get_iCCP(png_, info_, &name, &compression, &profile, &length) || !profile) return {};
    return std::vector<std::uint8_t>(profile, profile + length);
}

int TPngDecoder::SetSamples(TPngSamples samples) {
    Call([this, samples] {
        if (samples == TPngSamples::Bgra) {
            Png().png_set_expand(png_);
            Png().png_set_strip_16(png_);
            Png().png_set_gray_to_rgb(png_);
            Png().png_set_add_alpha(png_, 0xFF, PNG_FILLER_AFTER);
            Png().png_set_bgr(png_);
        } else {
            Png().png_set_scale_16(png_);
            Png().png_set_expand(png_);
            Png().png_set_gray_to_rgb(png_);
        }
        Png().png_set_interlace_handling(png_);
        Png().png_read_update_info(png_, info_);
    });
    const int channels = Png().png_get_channels(png_, info_);
    const bool expected = samples == TPngSamples::Bgra ? channels == 4 : channels == 3 || channels == 4;
    if (!expected || Png().png_get_rowbytes(png_, info_) != std::size_t(width_) * std::size_t(channels))
        throw EInvalidGraphic(invalidMessage_);
    return channels;
}

void TPngDecoder::ReadRows(std::uint8_t* first, std::ptrdiff_t stride) {
    std::vector<png_bytep> rows(static_cast<std::size_t>(height_));
    for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = first + std::ptrdiff_t(y) * stride;
    png_bytepp table = rows.data();
    Call([this, table] { Png().png_read_image(png_, table); });
}

bool TPngDecoder::Interlaced() const { return Png().png_get_interlace_type(png_, info_) != PNG_INTERLACE_NONE; }

void TPngDecoder::ReadRow(std::uint8_t* row) {
    Call([this, row] { Png().png_read_row(png_, row, nullptr); });
}
