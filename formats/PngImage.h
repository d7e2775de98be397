#pragma once
// TPngImage: PNG files over libpng, every colour type, depth and interlace, drawn in 24 bits
// over white.

#include "formats/RasterImage.h"

class TPngImage : public TRasterImage {
    OBRAZOR_CLASS_RECORD
protected:
    const TRasterCodec& Codec() const override;
};
