#include "gif/GIFImage.h"

#include <algorithm>
#include <optional>

#include "gif/GIFLimits.h"
#include "gif/GIFMessages.h"
#include "gif/GIFReadSource.h"
#include "gif/GIFRenderState.h"
#include "graphics/Bitmap.h"
#include "graphics/Messages.h"
#include "graphics/Streams.h"

OBRAZOR_DEFINE_CLASS(TGIFImage, TGraphic);

namespace {
const TRect kNoRect{};

}  // namespace

TGIFImage::TGIFImage() : header_(this), images_(this) {}

// Frames reach back into the image while they go, so they go while it is whole.
TGIFImage::~TGIFImage() {
    try {
        StopAllPainters();
    } catch (...) {
        // a painter's failure has no one to go to while the image goes
    }
    images_.Clear();
    render_.reset();
}

TGIFRenderState& TGIFImage::RenderState() {
    if (!render_) render_ = std::make_unique<TGIFRenderState>();
    return *render_;
}

void TGIFImage::DropRenderState() {
    if (!render_) return;
    StopAllPainters();
    render_.reset();
}

void TGIFImage::ReportWarning(TObject* sender, std::int32_t severity, const std::string& message) {
    if (WarningHandler) WarningHandler(sender, severity, message);
}

bool TGIFImage::IsEmpty() { return images_.Count() == 0; }
std::int32_t TGIFImage::ImageWidth() { return header_.Screen.Width; }
std::int32_t TGIFImage::ImageHeight() { return header_.Screen.Height; }

bool TGIFImage::SameContent(TGraphic& other) { return &other == this; }

std::uint8_t TGIFImage::RequiredVersion() {
    std::uint8_t version = GIFVersionNone;
    for (int i = 0; i < images_.Count() && version < GIFVersion89a; ++i)
        version = std::max(version, images_.Frame(i)->RequiredVersion());
    return version;
}

int TGIFImage::BitsPerPixel() {
    int bits = TGIFColorMap::BitsForColorCount(GlobalColorMap().Count());
    for (int i = 0; i < images_.Count(); ++i)
        bits = std::max(bits, TGIFColorMap::BitsForColorCount(images_.Frame(i)->ColorMap().Count()));
    return bits;
}

std::shared_ptr<const gif::TEncodedSource> TGIFImage::KeptSource(TStream& stream) const {
    return reading_ && &stream == reading_ ? reading_->Kept() : nullptr;
}

void TGIFImage::ChargePixels(std::int64_t pixels) {
    chargedPixels_ += pixels;
    if (chargedPixels_ > gif::MaxTotalPixels) RaiseGIFError(gifmsg::STooManyPixels);
}

void TGIFImage::Clear() {
    DropRenderState();
    images_.Clear();
    header_.Reset();
    header_.RecomputePackedFields();
    chargedPixels_ = 0;
}

void TGIFImage::LoadFromStream(TStream& stream) {
    ReportProgress(this, TProgressStage::psStarting, 0, false, kNoRect, gifmsg::SLoading);
    Clear();
    // A stream in memory is read as it stands; any other through a read-ahead window, as the
    // reader steps back and peeks often. The stream is then moved to where reading ended.
    const std::int64_t start = stream.Position();
    std::optional<gif::TReadAhead> window;
    if (!dynamic_cast<TMemoryStream*>(&stream)) window.emplace(stream);
    TStream& source = window ? static_cast<TStream&>(*window) : stream;
    reading_ = window ? &*window : nullptr;
    struct TForget {
        gif::TReadAhead*& reading;
        ~TForget() { reading = nullptr; }
    } forget{reading_};
    bool done = false;
    try {
        header_.LoadFromStream(source);
        images_.LoadFromStream(source, this);
        TGIFTrailer(this).LoadFromStream(source);
        if (window) stream.SetPosition(start + window->Position());
        done = true;
    } catch (...) {
        stream.SetPosition(start);
        ReportProgress(this, TProgressStage::psEnding, 0, true, kNoRect, gifmsg::SLoading);
        throw;
    }
    ReportProgress(this, TProgressStage::psEnding, done ? 100 : 0, true, kNoRect, gifmsg::SLoading);
}

void TGIFImage::SaveToStream(TStream& stream) {
    ReportProgress(this, TProgressStage::psStarting, 0, false, kNoRect, gifmsg::SSaving);
    try {
        header_.SaveToStream(stream);
        images_.SaveToStream(stream);
        TGIFTrailer(this).SaveToStream(stream);
    } catch (...) {
        ReportProgress(this, TProgressStage::psEnding, 0, true, kNoRect, gifmsg::SSaving);
        throw;
    }
    ReportProgress(this, TProgressStage::psEnding, 100, true, kNoRect, gifmsg::SSaving);
}

void TGIFImage::ResizeWidth(std::int32_t value) {
    for (int i = 0; i < images_.Count(); ++i) {
        TGIFSubImage& frame = *images_.Frame(i);
        if (frame.Left() + frame.Width() > value) RaiseGIFError(gifmsg::SWidthTooSmall);
    }
    if (value == header_.Screen.Width) return;
    header_.Screen.Width = std::uint16_t(std::clamp(value, 0, 0xFFFF));
    if (render_) DropCompositeBitmap();
    NotifyChanged(this);
}

void TGIFImage::ResizeHeight(std::int32_t value) {
    for (int i = 0; i < images_.Count(); ++i) {
        TGIFSubImage& frame = *images_.Frame(i);
        if (frame.Top() + frame.Height() > value) RaiseGIFError(gifmsg::SHeightTooSmall);
    }
    if (value == header_.Screen.Height) return;
    header_.Screen.Height = std::uint16_t(std::clamp(value, 0, 0xFFFF));
    if (render_) DropCompositeBitmap();
    NotifyChanged(this);
}

// A frame of this image that no list holds yet is taken over; a frame of another image is
// copied, so that every frame keeps pointing at the image that holds it.
int TGIFImage::AddFrame(TPersistent* item) {
    std::unique_ptr<TGIFSubImage> frame;
    auto* given = dynamic_cast<TGIFSubImage*>(item);
    if (given && given->Image() == this && images_.IndexOf(given) < 0) {
        frame.reset(given);
    } else if (given || dynamic_cast<TGraphic*>(item)) {
        frame = std::make_unique<TGIFSubImage>(this);
        frame->CopyFrom(item);
    } else {
        RaiseGIFError(gifmsg::SUnsupportedObject);
    }
    const int index = images_.Add(std::move(frame));
    if (render_) DropCompositeBitmap();
    NotifyChanged(this);
    return index;
}

void TGIFImage::CopyImage(TGIFImage& source) {
    Clear();
    const TGIFWarningEvent ownWarnings = WarningHandler;
    WarningHandler = source.WarningHandler;
    ReportProgress(this, TProgressStage::psStarting, 0, false, kNoRect, gifmsg::SCopying);
    try {
        header_.CopyFrom(&source.header_);
        PainterPriority = source.PainterPriority;
        BackgroundColorOverride = source.BackgroundColorOverride;
        PaintOptions = source.PaintOptions;
        ColorReduction = source.ColorReduction;
        DitherMode = source.DitherMode;
        for (int i = 0; i < source.images_.Count(); ++i) {
            auto frame = std::make_unique<TGIFSubImage>(this);
            frame->CopyFrom(source.images_.Frame(i));
            images_.Add(std::move(frame));
            ReportProgress(this, TProgressStage::psRunning, std::uint8_t((i + 1) * 100 / source.images_.Count()), false,
                           kNoRect, gifmsg::SCopying);
        }
    } catch (...) {
        WarningHandler = ownWarnings;
        ReportProgress(this, TProgressStage::psEnding, 0, true, kNoRect, gifmsg::SCopying);
        throw;
    }
    WarningHandler = ownWarnings;
    ReportProgress(this, TProgressStage::psEnding, 100, true, kNoRect, gifmsg::SCopying);
    NotifyChanged(this);
}

void TGIFImage::CopyFrom(TPersistent* source) {
    if (source == this) return;
    if (!source) {
        Clear();
        NotifyChanged(this);
        return;
    }
    if (auto* image = dynamic_cast<TGIFImage*>(source)) return CopyImage(*image);
    Clear();
    auto frame = std::make_unique<TGIFSubImage>(this);
    try {
        frame->CopyFrom(source);
    } catch (const EConvertError&) {
        return TGraphic::CopyFrom(source);
    }
    AddFrame(frame.release());
}

void TGIFImage::ReadFromClipboard(std::uint16_t, const TClipboardData&, HPALETTE) {
    throw EInvalidGraphic(msg::SUnknownClipboardFormat);
}

void TGIFImage::WriteToClipboard(std::uint16_t&, TClipboardData&, HPALETTE&) {
    throw EInvalidGraphic(msg::SUnknownClipboardFormat);
}
