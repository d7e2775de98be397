#include "formats/WebPImage.h"

#include "formats/FormatMessages.h"
#include "formats/WebPLibrary.h"

OBRAZOR_DEFINE_CLASS(TWebPImage, TExifRasterImage);

TStoredPicture TWebPImage::ReadStored(const std::uint8_t* bytes, std::size_t size) {
    return formats::ReadWebPInfo(bytes, size);
}

std::unique_ptr<TBitmap> TWebPImage::DecodeStored(const std::uint8_t* bytes, std::size_t size) {
    return formats::DecodeWebP(bytes, size);
}

const char* TWebPImage::InvalidMessage() const { return msg::SInvalidWebP; }

std::vector<std::uint8_t> TWebPImage::ColorProfile(const std::uint8_t* bytes, std::size_t size) {
    return formats::WebPProfile(bytes, size);
}
