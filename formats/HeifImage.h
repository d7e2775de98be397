#pragma once
// THeifImage: HEIC and other HEIF files over libheif, the primary image turned and mirrored by
// the file's own rotation and mirror properties, whatever AutoOrient says.

#include "formats/RasterImage.h"

class THeifImage : public TRasterImage {
    OBRAZOR_CLASS_RECORD
protected:
    const TRasterCodec& Codec() const override;
};
