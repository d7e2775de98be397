#include "formats/ExifRasterImage.h"

#include "graphics/ExifOrientation.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TExifRasterImage, TRasterImage);

TRasterHeader TExifRasterImage::ReadHeader(const std::uint8_t* bytes, std::size_t size) {
    return ExifOrientedHeader(ReadStored(bytes, size));
}

std::unique_ptr<TBitmap> TExifRasterImage::DecodeBitmap(const std::uint8_t* bytes, std::size_t size,
                                                        bool autoOrient) {
    const int orientation = autoOrient ? ReadStored(bytes, size).orientation : kOrientationUpright;
    return ExifOriented(DecodeStored(bytes, size), orientation);
}
