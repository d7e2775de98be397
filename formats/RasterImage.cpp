#include "formats/RasterImage.h"

#include "formats/FormatLimits.h"
#include "formats/FormatMessages.h"
#include "graphics/Canvas.h"
#include "graphics/Exceptions.h"
#include "graphics/ExifOrientation.h"
#include "graphics/Messages.h"
#include "graphics/Orientation.h"
#include "graphics/Streams.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TRasterImage, TGraphic);

void TRasterImage::CopyFrom(TPersistent* source) {
    if (!source || &source->ClassType() != &ClassType()) {
        TGraphic::CopyFrom(source);
        return;
    }
    auto& other = static_cast<TRasterImage&>(*source);
    bytes_ = other.bytes_;
    stored_ = other.stored_;
    autoOrient_ = other.autoOrient_;
    SetColorManagement(other.ColorManagement());
    bitmap_.reset();
    if (other.bitmap_) {
        bitmap_ = std::make_unique<TBitmap>();
        bitmap_->CopyFrom(other.bitmap_.get());
        bitmap_.SetPendingProfile(other.bitmap_.PendingProfile());
    }
    NotifyChanged(this);
}

void TRasterImage::CopyTo(TPersistent* destination) {
    if (destination && destination->InheritsFrom(TBitmap::Class)) {
        destination->CopyFrom(Decode());
        return;
    }
    TGraphic::CopyTo(destination);
}

void TRasterImage::DrawInto(TCanvas& canvas, const TRect& rect) {
    if (IsEmpty()) return;
    DecodeAsStored();
    if (const auto sampled = bitmap_.SampledFor(canvas, rect)) return canvas.StretchDrawGraphic(rect, sampled.get());
    canvas.StretchDrawGraphic(rect, bitmap_.Converted());
}

bool TRasterImage::IsEmpty() { return !bytes_; }

bool TRasterImage::SidesSwapped() const { return autoOrient_ && SwapsSides(stored_.orientation); }

std::int32_t TRasterImage::ImageWidth() { return SidesSwapped() ? stored_.height : stored_.width; }

std::int32_t TRasterImage::ImageHeight() { return SidesSwapped() ? stored_.width : stored_.height; }

void TRasterImage::ResizeWidth(std::int32_t) {
    throw EInvalidGraphicOperation(Format(msg::SChangeRasterSize, Codec().formatName));
}

void TRasterImage::ResizeHeight(std::int32_t) {
    throw EInvalidGraphicOperation(Format(msg::SChangeRasterSize, Codec().formatName));
}

void TRasterImage::LoadFromStream(TStream& stream) { ReadBytes(stream.Size() - stream.Position(), stream); }

void TRasterImage::SaveToStream(TStream& stream) {
    if (bytes_ && !bytes_->empty()) stream.WriteBuffer(bytes_->data(), std::int64_t(bytes_->size()));
}

void TRasterImage::ReadPersisted(TStream& stream) { ReadBytes(stream.ReadInt32(), stream); }

void TRasterImage::WritePersisted(TStream& stream) {
    stream.WriteInt32(bytes_ ? std::int32_t(bytes_->size()) : 0);
    SaveToStream(stream);
}

// The image changes only when the new bytes have a readable header.
void TRasterImage::ReadBytes(std::int64_t count, TStream& stream) {
    // The count may come from a damaged block: never allocate more than the stream can give.
    if (count < 0 || count > stream.Size() - stream.Position()) throw EReadError(msg::SStreamRead);
    if (count > formats::kMaxFileBytes) throw EInvalidGraphic(Codec().invalidMessage);
    auto bytes = std::make_shared<std::vector<std::uint8_t>>(std::size_t(count));
    stream.ReadBuffer(bytes->data(), count);
    const TStoredPicture stored = Codec().readStored(bytes->data(), bytes->size());
    bytes_ = std::move(bytes);
    stored_ = stored;
    bitmap_.reset();
    NotifyChanged(this);
}

void TRasterImage::ReadFromClipboard(std::uint16_t, const TClipboardData&, HPALETTE) {
    throw EInvalidGraphic(msg::SUnknownClipboardFormat);
}

void TRasterImage::WriteToClipboard(std::uint16_t& format, TClipboardData& data, HPALETTE& palette) {
    Decode()->WriteToClipboard(format, data, palette);
}

void TRasterImage::SetAutoOrient(bool value) {
    if (value == autoOrient_) return;
    autoOrient_ = value;
    bitmap_.reset();
    NotifyChanged(this);
}

TBitmap* TRasterImage::DecodeAsStored() {
    if (!bitmap_) {
        if (!bytes_) return (bitmap_ = std::make_unique<TBitmap>()).get();
        const TRasterCodec& codec = Codec();
        auto decoded = codec.decodeStored(bytes_->data(), bytes_->size());
        if (autoOrient_ && stored_.orientation != kOrientationUpright)
            decoded = OrientedBitmap(*decoded, stored_.orientation);
        bitmap_ = std::move(decoded);
        bitmap_.SetPendingProfile(ToSrgb());
    }
    return bitmap_.get();
}

std::shared_ptr<const platform::IccTransform> TRasterImage::ToSrgb() const {
    if (!ColorManagement()) return nullptr;
    return platform::TransformToSrgb(Codec().colorProfile(bytes_->data(), bytes_->size()), platform::IccPixels::Bgr);
}

bool TRasterImage::StreamRows(const TBgrRowSink& sink, const TRowWanted& wanted,
                              std::shared_ptr<const platform::IccTransform>& toSrgb) {
    const TRasterCodec& codec = Codec();
    if (!bytes_ || bitmap_ || !codec.streamStored || (autoOrient_ && stored_.orientation != kOrientationUpright))
        return false;
    toSrgb = ToSrgb();
    return codec.streamStored(bytes_->data(), bytes_->size(), sink, wanted);
}

TBitmap* TRasterImage::Decode() {
    DecodeAsStored();
    return bitmap_.Converted();
}
