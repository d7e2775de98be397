#include "formats/PngImage.h"

#include "formats/FormatMessages.h"
#include "formats/PngLibrary.h"

OBRAZOR_DEFINE_CLASS(TPngImage, TExifRasterImage);

TStoredPicture TPngImage::ReadStored(const std::uint8_t* bytes, std::size_t size) {
    return formats::ReadPngInfo(bytes, size);
}

std::unique_ptr<TBitmap> TPngImage::DecodeStored(const std::uint8_t* bytes, std::size_t size) {
    return formats::DecodePng(bytes, size);
}

const char* TPngImage::InvalidMessage() const { return msg::SInvalidPng; }

std::vector<std::uint8_t> TPngImage::ColorProfile(const std::uint8_t* bytes, std::size_t size) {
    return formats::PngProfile(bytes, size);
}
