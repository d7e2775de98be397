#include "formats/HeifImage.h"

#include "formats/FormatMessages.h"
#include "formats/HeifLibrary.h"

OBRAZOR_DEFINE_CLASS(THeifImage, TRasterImage);

const TRasterCodec& THeifImage::Codec() const {
    static constexpr TRasterCodec codec{
        "HEIF", msg::SInvalidHeif, formats::ReadHeifInfo, formats::DecodeHeif, formats::HeifProfile, nullptr};
    return codec;
}
