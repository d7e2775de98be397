#include "formats/WebPImage.h"

#include "formats/FormatMessages.h"
#include "formats/WebPLibrary.h"

OBRAZOR_DEFINE_CLASS(TWebPImage, TRasterImage);

const TRasterCodec& TWebPImage::Codec() const {
    static constexpr TRasterCodec codec{"WebP",
                                        msg::SInvalidWebP,
                                        formats::ReadWebPInfo,
                                        formats::DecodeWebP,
                                        formats::WebPProfile,
                                        formats::StreamWebP};
    return codec;
}
