// The frames of an image: reading them block by block, and writing them in order.
#include <cmath>

#include "gif/GIFImage.h"
#include "gif/GIFLimits.h"
#include "gif/GIFMessages.h"
#include "gif/GIFStreamIO.h"
#include "graphics/Streams.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFImageList, TGIFList);

namespace {
constexpr int kExtensionIntroducer = 0x21;
constexpr int kImageSeparator = 0x2C;
constexpr int kTrailer = 0x3B;

std::uint8_t Percent(std::int64_t part, std::int64_t whole) {
    return whole <= 0 ? 100 : std::uint8_t(std::lround(double(std::min(part, whole)) * 100.0 / double(whole)));
}
}  // namespace

void TGIFImageList::LoadFromStream(TStream& stream, TObject*) {
    const TRect none{};
    const std::int64_t size = stream.Size();
    int byte = gif::ReadNonZeroU8(stream);
    while (byte >= 0 && byte != kTrailer) {
        stream.Seek(-1, TSeekOrigin::soCurrent);
        if (byte != kExtensionIntroducer && byte != kImageSeparator) {
            ReportWarning(GIFWarningSeverity, gifmsg::SUnknownBlockType);
            return;
        }
        if (Count() >= gif::MaxFrameCount) RaiseGIFError(gifmsg::STooManyFrames);
        auto frame = std::make_unique<TGIFSubImage>(image_);
        frame->LoadFromStream(stream);
        Add(std::move(frame));
        image_->ReportProgress(image_, TProgressStage::psRunning, Percent(stream.Position(), size), false, none,
                               gifmsg::SLoading);
        byte = gif::ReadNonZeroU8(stream);
    }
    if (byte == kTrailer) stream.Seek(-1, TSeekOrigin::soCurrent);
}

void TGIFImageList::SaveToStream(TStream& stream) {
    const TRect none{};
    for (int i = 0; i < Count(); ++i) {
        Frame(i)->SaveToStream(stream);
        image_->ReportProgress(image_, TProgressStage::psRunning, Percent(i + 1, Count()), false, none,
                               gifmsg::SSaving);
    }
}
