#include "gif/GIFImage.h"

#include <algorithm>

#include "gif/GIFLimits.h"
#include "gif/GIFMessages.h"
#include "gif/GIFRenderState.h"
#include "graphics/Bitmap.h"
#include "graphics/Messages.h"
#include "graphics/Streams.h"

OBRAZOR_DEFINE_CLASS(TGIFImage, TGraphic);

namespace {
const TRect kNoRect{};

// Reading goes through memory: the reader steps back and peeks often, and a file stream would
// make each of those a system call. The source stream is then moved to where reading ended.
// The copy is shared: later frames keep their encoded data as parts of it.
class TBufferedSource {
public:
    explicit TBufferedSource(TStream& source) : source_(source), start_(source.Position()) {
        memory_ = dynamic_cast<TMemoryStream*>(&source);
        if (memory_) return;
        copy_ = std::make_shared<TMemoryStream>();
        copy_->ReadFrom(source, std::max<std::int64_t>(source.Size() - start_, 0));
        copy_->SetPosition(0);
    }
    TStream& Stream() { return memory_ ? static_cast<TStream&>(*memory_) : *copy_; }
    const std::shared_ptr<TMemoryStream>& Copy() const { return copy_; }
    void Commit() {
        if (!memory_) source_.SetPosition(start_ + copy_->Position());
    }
    void Rewind() { source_.SetPosition(start_); }

private:
    TStream& source_;
    std::int64_t start_;
    TMemoryStream* memory_ = nullptr;
    std::shared_ptr<TMemoryStream> copy_;
};
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

std::shared_ptr<const TMemoryStream> TGIFImage::SharedReadSource(TStream& stream) const {
    return readSource_ && &stream == readSource_.get() ? readSource_ : nullptr;
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
    TBufferedSource source(stream);
    readSource_ = source.Copy();
    // Frames keep what they need of the copy; the image itself lets go of it after reading.
    struct TForget {
        std::shared_ptr<TMemoryStream>& source;
        ~TForget() { source.reset(); }
    } forget{readSource_};
    bool done = false;
    try {
        header_.LoadFromStream(source.Stream());
        images_.LoadFromStream(source.Stream(), this);
        TGIFTrailer(this).LoadFromStream(source.Stream());
        source.Commit();
        done = true;
    } catch (...) {
        source.Rewind();
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
