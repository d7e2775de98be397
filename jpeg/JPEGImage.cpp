#include "jpeg/JPEGImage.h"

#include <jerror.h>

#include "graphics/Canvas.h"
#include "graphics/Messages.h"
#include "jpeg/DecompressorSetup.h"
#include "jpeg/JpegLimits.h"
#include "jpeg/JpegMessages.h"

OBRAZOR_DEFINE_CLASS(TJPEGImage, TGraphic);

TJpegDefaults JpegDefaults;

TJPEGImage::TJPEGImage()
    : JpegQuality(JpegDefaults.JpegQuality), WriteProgressive(JpegDefaults.WriteProgressive),
      blockSmoothing_(JpegDefaults.BlockSmoothing), grayOutput_(JpegDefaults.GrayOutput),
      decodeDepth_(JpegDefaults.DecodeDepth), incrementalDisplay_(JpegDefaults.IncrementalDisplay),
      decodeSpeed_(JpegDefaults.DecodeSpeed), decodeScale_(JpegDefaults.DecodeScale) {
    ShareData(new TJPEGData);
}

TJPEGImage::~TJPEGImage() {
    heldPalette_.reset();
    heldBitmap_.reset();
    data_->Release();
}

void TJPEGImage::ShareData(TJPEGData* data) {
    // Referenced before the old one goes, so sharing one's own data is harmless.
    data->Reference();
    if (data_) data_->Release();
    data_ = data;
}

void TJPEGImage::ReplaceData() { ShareData(new TJPEGData); }

void TJPEGImage::CopyFrom(TPersistent* source) {
    if (source && source->InheritsFrom(TJPEGImage::Class)) {
        auto& jpeg = static_cast<TJPEGImage&>(*source);
        std::unique_ptr<TBitmap> bitmap;
        if (jpeg.heldBitmap_) {
            bitmap = std::make_unique<TBitmap>();
            bitmap->CopyFrom(jpeg.heldBitmap_.get());
        }
        ShareData(jpeg.data_);
        SetColorManagement(jpeg.ColorManagement());
        // A bitmap of our own would show a picture other than the bytes now held.
        heldBitmap_ = std::move(bitmap);
        heldBitmap_.SetPendingProfile(jpeg.heldBitmap_.PendingProfile());
        return;
    }
    if (source && source->InheritsFrom(TBitmap::Class)) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->CopyFrom(source);
        ReplaceData();
        heldBitmap_ = std::move(bitmap);
        return;
    }
    TGraphic::CopyFrom(source);
}

void TJPEGImage::CopyTo(TPersistent* destination) {
    if (destination && destination->InheritsFrom(TBitmap::Class)) {
        destination->CopyFrom(Decode());
        return;
    }
    TGraphic::CopyTo(destination);
}

void TJPEGImage::DrawInto(TCanvas& canvas, const TRect& rect) {
    DecodeAsStored();
    if (const auto sampled = heldBitmap_.SampledFor(canvas, rect))
        return canvas.StretchDrawGraphic(rect, sampled.get());
    canvas.StretchDrawGraphic(rect, heldBitmap_.Converted());
}

bool TJPEGImage::SameContent(TGraphic& other) {
    if (!other.InheritsFrom(TJPEGImage::Class)) return false;
    auto& jpeg = static_cast<TJPEGImage&>(other);
    if (Bytes() && jpeg.Bytes()) return TGraphic::SameContent(other);
    return data_ == jpeg.data_;
}

bool TJPEGImage::IsEmpty() {
    if (Bytes()) return false;
    return !heldBitmap_ || heldBitmap_->IsEmpty();
}

// Without a bitmap, a scale other than full decodes to the size the library works out for it.
bool TJPEGImage::DecodesScaled() { return decodeScale_ != TJpegScale::ScaleFull && Bytes() && Bytes()->Size() != 0; }

std::int32_t TJPEGImage::ImageWidth() {
    if (heldBitmap_) return heldBitmap_->ImageWidth();
    return DecodesScaled() ? jpeg::ScaledSize(*this).width : data_->PixelWidth;
}

std::int32_t TJPEGImage::ImageHeight() {
    if (heldBitmap_) return heldBitmap_->ImageHeight();
    return DecodesScaled() ? jpeg::ScaledSize(*this).height : data_->PixelHeight;
}

void TJPEGImage::ResizeWidth(std::int32_t) { throw EInvalidGraphicOperation(msg::SChangeJPEGSize); }

void TJPEGImage::ResizeHeight(std::int32_t) { throw EInvalidGraphicOperation(msg::SChangeJPEGSize); }

void TJPEGImage::LoadFromStream(TStream& stream) { ReadJpegBytes(stream.Size() - stream.Position(), stream); }

void TJPEGImage::ReadPersisted(TStream& stream) {
    const std::int32_t count = stream.ReadInt32();
    ReadJpegBytes(count, stream);
}

void TJPEGImage::WritePersisted(TStream& stream) {
    const std::int32_t count = Bytes() ? std::int32_t(Bytes()->Size()) : 0;
    stream.WriteInt32(count);
    if (count > 0) stream.WriteBuffer(Bytes()->Memory(), count);
}

void TJPEGImage::ReadJpegBytes(std::int64_t count, TStream& stream) {
    ReplaceData();
    heldBitmap_.reset();
    // The count may come from a damaged block: never allocate more than the stream can give.
    if (count < 0 || count > stream.Size() - stream.Position()) throw EReadError(msg::SStreamRead);
    if (count > jpeg::MaxJpegBytes) throw EJPEG(JERR_IMAGE_TOO_BIG);
    auto bytes = std::make_unique<TMemoryStream>();
    bytes->ReadFrom(stream, count);
    data_->ByteStream = std::move(bytes);
    if (count > 0) ReadHeader();
    SetPaletteModified(true);
    NotifyChanged(this);
}

void TJPEGImage::ReadHeader() {
    const jpeg::JpegHeaderInfo header = jpeg::ReadJpegHeader(*Bytes());
    data_->PixelWidth = header.width;
    data_->PixelHeight = header.height;
    data_->IsGray = header.gray;
    WriteProgressive = header.progressive;
}

// The clipboard's picture replaces the bytes too, which would no longer match it; a refused
// format leaves the image as it was.
void TJPEGImage::ReadFromClipboard(std::uint16_t format, const TClipboardData& data, HPALETTE palette) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->ReadFromClipboard(format, data, palette);
    ReplaceData();
    heldBitmap_ = std::move(bitmap);
}

void TJPEGImage::WriteToClipboard(std::uint16_t& format, TClipboardData& data, HPALETTE& palette) {
    Decode()->WriteToClipboard(format, data, palette);
}

void TJPEGImage::SetGrayOutput(bool value) {
    if (value == grayOutput_) return;
    heldBitmap_.reset();
    grayOutput_ = value;
    SetPaletteModified(true);
    NotifyChanged(this);
}

void TJPEGImage::DropBitmapIfDecodable() {
    if (!Bytes()) return;
    heldBitmap_.reset();
    SetPaletteModified(true);
    NotifyChanged(this);
}

void TJPEGImage::SetDecodeDepth(TJpegDepth value) {
    if (value == decodeDepth_) return;
    decodeDepth_ = value;
    DropBitmapIfDecodable();
}

void TJPEGImage::SetDecodeSpeed(TJpegSpeed value) {
    if (value == decodeSpeed_) return;
    decodeSpeed_ = value;
    DropBitmapIfDecodable();
}

void TJPEGImage::SetDecodeScale(TJpegScale value) {
    if (value == decodeScale_) return;
    decodeScale_ = value;
    DropBitmapIfDecodable();
}

void TJPEGImage::SetBlockSmoothing(bool value) {
    if (value == blockSmoothing_) return;
    blockSmoothing_ = value;
    DropBitmapIfDecodable();
}
