#include "gif/GIFSubImage.h"

#include <cstring>
#include <mutex>

#include "gif/GIFImage.h"
#include "gif/GIFLimits.h"
#include "gif/GIFMessages.h"
#include "gif/GIFReadSource.h"
#include "gif/GIFRenderState.h"
#include "gif/GIFStreamIO.h"
#include "gif/LzwDecoder.h"
#include "graphics/Bitmap.h"
#include "graphics/Streams.h"
#include "platform/LittleEndian.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFSubImage, TGIFItem);

TGIFSubImage::TGIFSubImage(TGIFImage* image) : TGIFItem(image), extensions_(this), colorMap_(this) {}

// Extensions reach back into the frame when they go, so they go first.
TGIFSubImage::~TGIFSubImage() { extensions_.Clear(); }

TGIFFrameCache& TGIFSubImage::Cache() {
    if (!cache_) cache_ = std::make_unique<TGIFFrameCache>();
    return *cache_;
}

void TGIFSubImage::DropCache() { cache_.reset(); }

namespace {
// Decoding a pending frame may be asked for by the owner thread and a painter at once.
std::mutex& PendingLock() {
    static std::mutex lock;
    return lock;
}
}  // namespace

void TGIFSubImage::Reset() {
    extensions_.Clear();
    colorMap_.ResetMap();
    pixels_.reset();
    encodedSource_.reset();
    pending_.store(false);
    descriptor_.Width = descriptor_.Height = 0;
    transparent_ = false;
    graphicControl_ = nullptr;
    DropCache();
}

bool TGIFSubImage::IsEmpty() const {
    return (!pixels_ && !PixelsPending()) || descriptor_.Width == 0 || descriptor_.Height == 0;
}

std::unique_ptr<std::uint8_t[]> TGIFSubImage::DecodeCopy() {
    std::lock_guard guard(PendingLock());
    if (PixelsPending()) return DecodeEncoded(false);
    if (!pixels_) return nullptr;
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[std::size_t(PixelCount())]);
    std::memcpy(copy.get(), pixels_.get(), std::size_t(PixelCount()));
    return copy;
}

// Warnings go to the image's handler only from the thread that asks for the pixels themselves;
// a painter's copies report nothing.
std::unique_ptr<std::uint8_t[]> TGIFSubImage::DecodeEncoded(bool report) {
    std::unique_ptr<std::uint8_t[]> pixels(new std::uint8_t[std::size_t(PixelCount())]);
    std::memset(pixels.get(), FillIndex(), std::size_t(PixelCount()));
    TMemoryStream data;
    encodedSource_->ReadInto(data, encodedAt_, encodedSize_);
    data.SetPosition(0);
    gif::DecodeLaterPixels(*this, data, pixels.get(), report);
    return pixels;
}

std::uint8_t* TGIFSubImage::PixelBuffer() {
    if (PixelsPending()) {
        std::lock_guard guard(PendingLock());
        if (PixelsPending()) {
            pixels_ = DecodeEncoded(true);
            encodedSource_.reset();
            pending_.store(false, std::memory_order_release);
        }
    }
    return pixels_.get();
}

void TGIFSubImage::SetInterlaced(bool value) {
    descriptor_.PackedFields =
        std::uint8_t(value ? descriptor_.PackedFields | InterlaceFlag : descriptor_.PackedFields & ~InterlaceFlag);
}

TGIFColorMap& TGIFSubImage::ActiveColorMap() {
    if (colorMap_.Count() > 0 || !image_) return colorMap_;
    TGIFColorMap& global = image_->GlobalColorMap();
    return global.Count() > 0 ? global : static_cast<TGIFColorMap&>(colorMap_);
}

std::uint8_t TGIFSubImage::FillIndex() const {
    return transparent_ && graphicControl_ ? graphicControl_->TransparentColorIndex() : 0;
}

std::uint8_t* TGIFSubImage::MakePixelBuffer(std::uint8_t fill) {
    pixels_.reset();
    encodedSource_.reset();
    pending_.store(false);
    const std::int64_t count = PixelCount();
    if (count == 0) return nullptr;
    pixels_.reset(new std::uint8_t[std::size_t(count)]);
    std::memset(pixels_.get(), fill, std::size_t(count));
    return pixels_.get();
}

std::uint8_t* TGIFSubImage::PixelRow(int y) {
    if (PixelCount() == 0) RaiseGIFError(gifmsg::SEmptyImage);
    if (y < 0 || y >= Height()) RaiseGIFError(gifmsg::SBadPixelCoordinates);
    if (!PixelBuffer()) MakePixelBuffer(0);
    return pixels_.get() + std::int64_t(y) * Width();
}

std::uint8_t TGIFSubImage::IndexAt(int x, int y) {
    if (PixelCount() > 0 && (x < 0 || x >= Width())) RaiseGIFError(gifmsg::SBadPixelCoordinates);
    return PixelRow(y)[x];
}

std::uint8_t TGIFSubImage::RequiredVersion() {
    return colorMap_.Sorted() || extensions_.Count() > 0 ? GIFVersion89a : GIFVersion87a;
}

void TGIFSubImage::SetBounds(int left, int top, int width, int height) {
    const bool resized = width != descriptor_.Width || height != descriptor_.Height;
    descriptor_.Left = std::uint16_t(left);
    descriptor_.Top = std::uint16_t(top);
    descriptor_.Width = std::uint16_t(width);
    descriptor_.Height = std::uint16_t(height);
    if (resized) {
        DropCache();
        MakePixelBuffer(0);
    }
    if (!image_) return;
    bool warned = false;
    auto grow = [&](std::int32_t needed, std::int32_t present, const char* warning, auto resize) {
        if (needed <= present) return;
        if (present > 0) {
            ReportWarning(GIFWarningSeverity, warning);
            warned = true;
        }
        resize(needed);
    };
    grow(left + width, image_->ImageWidth(), gifmsg::SWidthTooSmall, [&](int v) { image_->ResizeWidth(v); });
    grow(top + height, image_->ImageHeight(), gifmsg::SHeightTooSmall, [&](int v) { image_->ResizeHeight(v); });
    if (warned) ReportWarning(GIFWarningSeverity, gifmsg::SImageExceedsScreen);
}

void TGIFSubImage::ReadDescriptor(TStream& stream) {
    std::uint8_t b[10];
    gif::ReadExact(stream, b, 10);
    auto u16 = [&](int at) { return platform::LittleU16(b + at); };
    descriptor_ = {b[0], u16(1), u16(3), u16(5), u16(7), b[9]};
    if (descriptor_.Width == 0 || descriptor_.Height == 0) {
        descriptor_.Height = std::uint16_t(image_->ImageHeight());
        descriptor_.Width = std::uint16_t(image_->ImageWidth());
        ReportWarning(GIFWarningSeverity, gifmsg::SImageExceedsScreen);
    }
    if (PixelCount() > gif::MaxFramePixels) RaiseGIFError(gifmsg::SFrameTooLarge);
}

void TGIFSubImage::LoadFromStream(TStream& stream) {
    Reset();
    extensions_.LoadFromStream(stream, this);
    const int next = gif::PeekU8(stream);
    if (next < 0 || next == 0x3B || next == 0x00) return;
    ReadDescriptor(stream);
    if (descriptor_.PackedFields & LocalMapFlag) colorMap_.ReadEntries(stream, 2 << (descriptor_.PackedFields & 7));
    image_->ChargePixels(PixelCount());
    // The first frame is what a picture shows and converts; the data of later ones is only walked
    // past, kept where it stands in the file (or copied), and decoded when something asks for
    // their pixels.
    if (image_->Images().Count() == 0 || PixelCount() == 0) return gif::DecodePixels(*this, stream);
    const std::int64_t start = stream.Position();
    if (gif::ReadU8(stream) >= 0) gif::SkipSubBlocks(stream);
    const std::int64_t end = stream.Position();
    encodedSource_ = image_->KeptSource(stream);
    encodedAt_ = start;
    encodedSize_ = end - start;
    if (!encodedSource_) {
        stream.SetPosition(start);
        encodedSource_ = gif::CopiedSource(stream, encodedSize_);
        encodedAt_ = 0;
    }
    pending_.store(true);
}

void TGIFSubImage::CopyFrame(TGIFSubImage& source) {
    Reset();
    descriptor_ = source.descriptor_;
    colorMap_.CopyFrom(&source.colorMap_);
    TMemoryStream extensions;
    source.extensions_.SaveToStream(extensions);
    extensions.SetPosition(0);
    for (int i = 0; i < source.extensions_.Count(); ++i) {
        const TGIFExtensionClass kind = source.extensions_.Extension(i)->Kind();
        std::unique_ptr<TGIFExtension> copy = kind->create(this);
        copy->LoadFromStream(extensions);
        extensions_.Add(std::move(copy));
    }
    transparent_ = source.transparent_;
    if (source.PixelBuffer()) std::memcpy(MakePixelBuffer(0), source.PixelBuffer(), std::size_t(PixelCount()));
}

void TGIFSubImage::CopyFrom(TPersistent* source) {
    if (source == this) return;
    if (auto* frame = dynamic_cast<TGIFSubImage*>(source)) return CopyFrame(*frame);
    CopyGraphic(source);
}
