#include "formats/HeifImage.h"

#include "formats/FormatMessages.h"
#include "formats/HeifLibrary.h"

OBRAZOR_DEFINE_CLASS(THeifImage, TRasterImage);

TRasterHeader THeifImage::ReadHeader(const std::uint8_t* bytes, std::size_t size) {
    return formats::ReadHeifHeader(bytes, size);
}

// The rotation, mirror and crop properties belong to the picture's definition in HEIF, unlike an
// EXIF tag beside the pixels: they are always applied.
std::unique_ptr<TBitmap> THeifImage::DecodeBitmap(const std::uint8_t* bytes, std::size_t size, bool) {
    return formats::DecodeHeif(bytes, size);
}

const char* THeifImage::InvalidMessage() const { return msg::SInvalidHeif; }

std::vector<std::uint8_t> THeifImage::ColorProfile(const std::uint8_t* bytes, std::size_t size) {
    return formats::HeifProfile(bytes, size);
}
