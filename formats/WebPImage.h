#pragma once
// TWebPImage: WebP files over libwebp, lossy or lossless, drawn in 24 bits over white; an
// animation shows its first frame.

#include "formats/RasterImage.h"

class TWebPImage : public TRasterImage {
    OBRAZOR_CLASS_RECORD
protected:
    const TRasterCodec& Codec() const override;
};
