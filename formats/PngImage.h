#pragma once
// TPngImage: PNG files over libpng, every colour type, depth and interlace, drawn in 24 bits
// over white.

#include "formats/ExifRasterImage.h"

class TPngImage : public TExifRasterImage {
    OBRAZOR_CLASS_RECORD
protected:
    TStoredPicture ReadStored(const std::uint8_t* bytes, std::size_t size) override;
    std::unique_ptr<TBitmap> DecodeStored(const std::uint8_t* bytes, std::size_t size) override;
    const char* FormatName() const override { return "PNG"; }
    const char* InvalidMessage() const override;
    std::vector<std::uint8_t> ColorProfile(const std::uint8_t* bytes, std::size_t size) override;
};
