#pragma once
// THeifImage: HEIC and other HEIF files over libheif, the primary image turned and mirrored by
// the file's own rotation and mirror properties, whatever AutoOrient says.

#include "formats/RasterImage.h"

class THeifImage : public TRasterImage {
    OBRAZOR_CLASS_RECORD
protected:
    TRasterHeader ReadHeader(const std::uint8_t* bytes, std::size_t size) override;
    std::unique_ptr<TBitmap> DecodeBitmap(const std::uint8_t* bytes, std::size_t size, bool autoOrient) override;
    const char* FormatName() const override { return "HEIF"; }
    const char* InvalidMessage() const override;
    std::vector<std::uint8_t> ColorProfile(const std::uint8_t* bytes, std::size_t size) override;
};
