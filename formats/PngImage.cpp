#include "formats/PngImage.h"

#include "formats/FormatMessages.h"
#include "formats/PngLibrary.h"

OBRAZOR_DEFINE_CLASS(TPngImage, TRasterImage);

const TRasterCodec& TPngImage::Codec() const {
    static constexpr TRasterCodec codec{
        "PNG", msg::SInvalidPng, formats::ReadPngInfo, formats::DecodePng, formats::PngProfile, formats::StreamPng};
    return codec;
}
