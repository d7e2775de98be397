#include "formats/HeifImage.h"

#include "formats/FormatMessages.h"
#include "formats/HeifLibrary.h"

OBRAZOR_DEFINE_CLASS(THeifImage, TRasterImage);

TRasterHeader THeifImage::ReadHeader(const std::uint8_t* bytes, std::size_t size) {
    return formats::ReadHeifHeader(bytes, size);
}

std::unique_ptr<TBitmap> THeifImage::DecodeBitmap(const std::uint8_t* bytes, std::size_t size, bool autoOrient) {
    return formats::DecodeHeif(bytes, size, autoOrient);
}

const char* THeifImage::InvalidMessage() const { return msg::SInvalidHeif; }
