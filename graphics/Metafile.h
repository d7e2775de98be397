#pragma once
// TMetafile: the vector graphic, a recorded sequence of drawing records played into a canvas at
// any size. Enhanced metafiles are read and written as they are; placeable Windows metafiles
// pass through the platform's conversion to enhanced records.

#include <cstdint>
#include <string>

#include "graphics/Graphic.h"
#include "graphics/SharedImage.h"
#include "platform/metafile/EnhMetaFile.h"

class TStream;

// The shared content of metafiles: copies hold one image until a frame-size change.
class TMetafileImage : public TSharedImage {
public:
    ~TMetafileImage() override;

    platform::HENHMETAFILE handle;
    std::int32_t frameWidth = 0;  // 0.01 mm
    std::int32_t frameHeight = 0;
    HPALETTE palette;               // made on demand from the metafile's palette
    std::uint16_t inch = 0;         // units per inch of a placeable metafile as read; 0 for enhanced ones
    std::int32_t pendingWidth = 0;  // pixels asked for while there was no content
    std::int32_t pendingHeight = 0;
};

class TMetafile : public TGraphic {
    OBRAZOR_CLASS_RECORD
public:
    TMetafile();
    ~TMetafile() override;
    TMetafile(const TMetafile&) = delete;
    TMetafile& operator=(const TMetafile&) = delete;

    // TGraphic
    void CopyFrom(TPersistent* source) override;
    void DrawInto(TCanvas& canvas, const TRect& rect) override;
    bool IsEmpty() override;
    std::int32_t ImageHeight() override;
    HPALETTE PaletteHandle() override;
    std::int32_t ImageWidth() override;
    void ReadPersisted(TStream& stream) override;
    void ResizeHeight(std::int32_t value) override;
    void ChangeTransparent(bool value) override;
    void ResizeWidth(std::int32_t value) override;
    void WritePersisted(TStream& stream) override;
    void WriteToFile(const std::string& path) override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void ReadFromClipboard(std::uint16_t format, const TClipboardData& data, HPALETTE palette) override;
    void WriteToClipboard(std::uint16_t& format, TClipboardData& data, HPALETTE& palette) override;

    void ResizeFrameWidth(std::int32_t units);
    void ResizeFrameHeight(std::int32_t units);

    bool Enhanced() const { return enhanced_; }
    void SetEnhanced(bool value) { enhanced_ = value; }
    std::uint16_t Inch() const { return image_->inch; }
    std::int32_t FrameWidth() const { return image_->frameWidth; }
    std::int32_t FrameHeight() const { return image_->frameHeight; }
    const platform::HENHMETAFILE& Handle() const { return image_->handle; }

private:
    void ReplaceImage(TMetafileImage* image);
    void NewImage() { ReplaceImage(new TMetafileImage); }
    void Unshare();
    void ReadEnhanced(TStream& stream);
    void ReadPlaceable(TStream& stream, std::int64_t count);
    void WriteEnhanced(TStream& stream);
    void WritePlaceable(TStream& stream);
    void ReadContent(TStream& stream, std::int64_t count);
    std::int32_t PixelSize(bool horizontal);
    void ResizePixels(std::int32_t pixels, bool horizontal);
    void ResizeFrame(std::int32_t units, bool horizontal);

    TMetafileImage* image_ = nullptr;
    bool enhanced_ = true;
};

// Windows' MulDiv: a × b ÷ c rounded to the nearest integer (halves away from zero) from a
// 64-bit product; -1 when c is 0 or the result does not fit in 32 bits.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);
// The display's pixels per inch, which metafile sizes are measured in.
std::int32_t ScreenPixelsPerInch();
