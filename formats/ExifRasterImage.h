#pragma once
// TExifRasterImage: a raster image whose orientation, if any, is an EXIF block inside the file
// (PNG's eXIf chunk, WebP's EXIF chunk). Subclasses only read the stored picture.

#include "formats/RasterImage.h"

class TExifRasterImage : public TRasterImage {
    OBRAZOR_CLASS_RECORD
protected:
    TRasterHeader ReadHeader(const std::uint8_t* bytes, std::size_t size) override;
    std::unique_ptr<TBitmap> DecodeBitmap(const std::uint8_t* bytes, std::size_t size, bool autoOrient) override;

    virtual TStoredPicture ReadStored(const std::uint8_t* bytes, std::size_t size) = 0;
    // The pixels as stored, alpha composed over white.
    virtual std::unique_ptr<TBitmap> DecodeStored(const std::uint8_t* bytes, std::size_t size) = 0;
};
