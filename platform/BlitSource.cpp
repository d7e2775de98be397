#include "platform/BlitSource.h"

#include "platform/DeviceContext.h"
#include "platform/Surface.h"

namespace platform {

BlitSource::BlitSource(const DeviceContext& source, const Surface& surface, const DeviceContext& destination,
                       const Surface& target)
    : surface_(surface) {
    PixelFormat format = surface.Format();
    const bool targetMonoDevice = target.IsMonochrome() && !target.IsDib();
    if (surface.IsMonochrome() && target.IsMonochrome()) {
        substitute_ = target.Colors();
        format.table = &substitute_;
    } else if (surface.IsMonochrome() && !surface.IsDib()) {
        substitute_ = ColorTable(
            {RgbFromColorRef(destination.textColor & 0xFFFFFF), RgbFromColorRef(destination.bkColor & 0xFFFFFF)});
        format.table = &substitute_;
    }
    codec_.emplace(format);
    if (!surface.IsMonochrome() && targetMonoDevice) {
        toMonochrome_ = true;
        background_ = codec_->Quantize(RgbFromColorRef(source.bkColor & 0xFFFFFF));
    }
}

void BlitSource::ApplyBackgroundRule(Rgb* row, int count) const {
    if (!toMonochrome_) return;
    for (int i = 0; i < count; ++i) row[i] = row[i] == background_ ? 0xFFFFFF : 0;
}

void BlitSource::Read(int y, int x, int count, Rgb* out) const {
    codec_->Read(surface_.Row(y), x, count, out);
    ApplyBackgroundRule(out, count);
}

void BlitSource::Gather(int y, const std::int32_t* xs, int count, Rgb* out) const {
    codec_->Gather(surface_.Row(y), xs, count, out);
    ApplyBackgroundRule(out, count);
}

}  // namespace platform
