#pragma once
// TRasterImage: the common ground of the graphic classes over an outside decoder (PNG, WebP,
// HEIF). It holds the file's bytes, knows the picture's size from the header alone, and decodes
// once, on the first draw, into a 24-bit bitmap turned upright by the file's own orientation.
// A format only names its library's calls (TRasterCodec).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "formats/StoredPicture.h"
#include "graphics/BgrRows.h"
#include "graphics/Bitmap.h"
#include "graphics/Graphic.h"
#include "graphics/ProfiledBitmap.h"

class TRasterImage : public TGraphic, public TRowSource {
    OBRAZOR_CLASS_RECORD
public:
    void CopyFrom(TPersistent* source) override;  // an image of the same class shares its bytes
    void CopyTo(TPersistent* destination) override;
    void DrawInto(TCanvas& canvas, const TRect& rect) override;
    bool IsEmpty() override;
    std::int32_t ImageHeight() override;
    std::int32_t ImageWidth() override;
    void ReadPersisted(TStream& stream) override;
    void ResizeHeight(std::int32_t value) override;
    void ResizeWidth(std::int32_t value) override;
    void WritePersisted(TStream& stream) override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void ReadFromClipboard(std::uint16_t format, const TClipboardData& data, HPALETTE palette) override;
    void WriteToClipboard(std::uint16_t& format, TClipboardData& data, HPALETTE& palette) override;

    // Whether an EXIF orientation in the file is applied (the default); off, the picture is drawn
    // as stored.
    bool AutoOrient() const { return autoOrient_; }
    void SetAutoOrient(bool value);

    // The decoded bitmap, made on first use and in sRGB; raises the format's EInvalidGraphic when
    // the pixels cannot be decoded.
    TBitmap* Decode();
    // The decoded bitmap when one is held, else null.
    TBitmap* HeldBitmap() const { return bitmap_.get(); }

    // TRowSource: nothing is held. False when a bitmap is held already, the file is turned by its
    // orientation, or its format or layout does not stream (interlaced PNG, animated WebP, HEIF).
    bool StreamRows(const TBgrRowSink& sink, const TRowWanted& wanted,
                    std::shared_ptr<const platform::IccTransform>& toSrgb) override;

protected:
    virtual const TRasterCodec& Codec() const = 0;

private:
    void ReadBytes(std::int64_t count, TStream& stream);
    TBitmap* DecodeAsStored();
    std::shared_ptr<const platform::IccTransform> ToSrgb() const;
    bool SidesSwapped() const;

    std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
    TStoredPicture stored_;
    TProfiledBitmap bitmap_;
    bool autoOrient_ = true;
};
