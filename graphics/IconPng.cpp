// PNG-compressed icon images, decoded with libpng into 32-bit blue-green-red-alpha rows whose
// alpha becomes the mask.
//
// libpng reports fatal errors by longjmp to the setjmp of the function that called it. Only
// DecodeHeader and DecodeRows call into libpng, and neither holds an object with a destructor
// across the call, so the jump skips no clean-up; the caller frees the library objects once.
#include <csetjmp>
#include <cstring>

#include <png.h>

#include "graphics/Exceptions.h"
#include "graphics/IconEntry.h"
#include "graphics/IconFile.h"
#include "graphics/Messages.h"

namespace ico {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Ancillary chunks (text, profiles) are skipped beyond this size; libpng's own default is 8 MB.
constexpr png_alloc_size_t kMaxChunkBytes = 1 << 20;

struct MemorySource {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (count > source->size - source->position) png_error(png, "truncated");
    std::memcpy(out, source->data + source->position, count);
    source->position += count;
}

void Fail(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

// Reads the header and asks for 8-bit blue, green, red, alpha; false when libpng fails.
bool DecodeHeader(png_structp png, png_infop info, png_uint_32* width, png_uint_32* height) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == png_size_t(*width) * 4;
}

bool DecodeRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    return true;
}

class PngReader {
public:
    PngReader() {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Fail, IgnoreWarning);
        if (png_) info_ = png_create_info_struct(png_);
    }
    ~PngReader() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    EntryPixels Read(MemorySource& source) {
        if (!png_ || !info_) throw EOutOfMemory(msg::SOutOfMemory);
        png_set_read_fn(png_, &source, ReadFromMemory);
        png_set_user_limits(png_, kMaxImageDimension, kMaxImageDimension);
        png_set_chunk_malloc_max(png_, kMaxChunkBytes);
        png_uint_32 width = 0, height = 0;
        if (!DecodeHeader(png_, info_, &width, &height) || std::uint64_t(width) * height > kMaxImagePixels)
            throw EInvalidGraphic(msg::SInvalidIcon);
        EntryPixels pixels;
        pixels.colorInfo.bmiHeader = {40, std::int32_t(width), std::int32_t(height), 1, 32, platform::BI_RGB,
                                      width * height * 4, 0, 0, 0, 0};
        pixels.color.resize(std::size_t(width) * height * 4);
        // Rows are stored bottom-up, as in the icon's bitmaps.
        std::vector<png_bytep> rows(height);
        for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels.color.data() + std::size_t(height - 1 - y) * width * 4;
        if (!DecodeRows(png_, rows.data())) throw EInvalidGraphic(msg::SInvalidIcon);
        return pixels;
    }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

}  // namespace

bool IsPngEntry(const std::uint8_t* bytes, std::size_t size) {
    return size >= sizeof kSignature && std::memcmp(bytes, kSignature, sizeof kSignature) == 0;
}

EntryPixels ReadPngEntry(const std::uint8_t* bytes, std::size_t size) {
    MemorySource source{bytes, size, 0};
    EntryPixels pixels = PngReader().Read(source);
    MaskFromAlpha(pixels);
    return pixels;
}

}  // namespace ico
