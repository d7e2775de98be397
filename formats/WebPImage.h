#pragma once
// TWebPImage: WebP files over libwebp, lossy or lossless, drawn in 24 bits over white; an
// animation shows its first frame.

#include "formats/ExifRasterImage.h"

class TWebPImage : public TExifRasterImage {
    OBRAZOR_CLASS_RECORD
protected:
    TStoredPicture ReadStored(const std::uint8_t* bytes, std::size_t size) override;
    std::unique_ptr<TBitmap> DecodeStored(const std::uint8_t* bytes, std::size_t size) override;
    const char* FormatName() const override { return "WebP"; }
    const char* InvalidMessage() const override;
    std::vector<std::uint8_t> ColorProfile(const std::uint8_t* bytes, std::size_t size) override;
};
