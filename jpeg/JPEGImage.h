#pragma once
// TJPEGImage: the graphic class for JPEG files. It keeps the file's bytes in a shared TJPEGData
// and at most one bitmap beside them: the bitmap is decoded from the bytes when a picture is
// needed, the bytes are encoded from the bitmap when a file is written.

#include <cstdint>
#include <memory>

#include "graphics/BgrRows.h"
#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/Graphic.h"
#include "graphics/ProfiledBitmap.h"
#include "jpeg/JpegData.h"
#include "jpeg/JpegError.h"
#include "jpeg/JpegSettings.h"

class TJPEGImage : public TGraphic, public TRowSource {
    OBRAZOR_CLASS_RECORD
public:
    TJPEGImage();
    ~TJPEGImage() override;
    TJPEGImage(const TJPEGImage&) = delete;
    TJPEGImage& operator=(const TJPEGImage&) = delete;

    // TGraphic
    void CopyFrom(TPersistent* source) override;
    void CopyTo(TPersistent* destination) override;
    void DrawInto(TCanvas& canvas, const TRect& rect) override;
    bool SameContent(TGraphic& other) override;
    bool IsEmpty() override;
    std::int32_t ImageHeight() override;
    HPALETTE PaletteHandle() override;
    std::int32_t ImageWidth() override;
    void ReadPersisted(TStream& stream) override;
    void ResizeHeight(std::int32_t value) override;
    void AdoptPalette(HPALETTE palette) override;
    void ResizeWidth(std::int32_t value) override;
    void WritePersisted(TStream& stream) override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void ReadFromClipboard(std::uint16_t format, const TClipboardData& data, HPALETTE palette) override;
    void WriteToClipboard(std::uint16_t& format, TClipboardData& data, HPALETTE& palette) override;

    // Replaces the bytes by `count` bytes read from the stream and reads their header.
    void ReadJpegBytes(std::int64_t count, TStream& stream);
    // Compresses the held bitmap into fresh bytes.
    void Encode();
    void EnsureEncoded();
    // The held bitmap, decoded from the bytes the first time it is needed.
    TBitmap* Decode();

    // Written directly, without checks or notification.
    std::uint8_t JpegQuality;
    bool WriteProgressive;

    bool GrayOutput() const { return grayOutput_; }
    void SetGrayOutput(bool value);
    // Settings the program leaves at their defaults; a change drops a bitmap that can be
    // decoded again from the bytes.
    TJpegDepth DecodeDepth() const { return decodeDepth_; }
    void SetDecodeDepth(TJpegDepth value);
    TJpegSpeed DecodeSpeed() const { return decodeSpeed_; }
    void SetDecodeSpeed(TJpegSpeed value);
    TJpegScale DecodeScale() const { return decodeScale_; }
    void SetDecodeScale(TJpegScale value);
    bool BlockSmoothing() const { return blockSmoothing_; }
    void SetBlockSmoothing(bool value);
    bool IncrementalDisplay() const { return incrementalDisplay_; }
    void SetIncrementalDisplay(bool value) { incrementalDisplay_ = value; }

    const TJPEGData& DataObject() const { return *data_; }
    // As decoded: a photo with a colour profile may still hold its stored numbers here.
    TBitmap* HeldBitmap() const { return heldBitmap_.get(); }
    HPALETTE HeldPalette() const { return heldPalette_; }

    // TRowSource: the plain case of jpeg::StreamJpegRows (JpegRowReader.cpp).
    bool StreamRows(const TBgrRowSink& sink, const TRowWanted& wanted,
                    std::shared_ptr<const platform::IccTransform>& toSrgb) override;

private:
    friend class JpegDecoder;
    friend class JpegEncoder;

    void ReplaceData();
    void ShareData(TJPEGData* data);
    void ReadHeader();
    bool DecodesScaled();
    void DropBitmapIfDecodable();
    TBitmap* DecodeAsStored();
    TMemoryStream* Bytes() const { return data_->ByteStream.get(); }

    TJPEGData* data_ = nullptr;
    TProfiledBitmap heldBitmap_;
    HPALETTE heldPalette_;
    bool blockSmoothing_;
    bool grayOutput_;
    TJpegDepth decodeDepth_;
    bool incrementalDisplay_;
    TJpegSpeed decodeSpeed_;
    TJpegScale decodeScale_;
};
