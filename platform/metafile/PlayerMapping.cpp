// The page mapping (PageMapping.cpp) and the world transform (WorldTransform.h): logical units
// to output pixels.
#include <cmath>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/MetafilePlayer.h"
#include "platform/metafile/WorldTransform.h"

namespace platform {

QTransform MetafilePlayer::PageToDevice() const {
    const AxisMapping m = state_.page.ToDevice(pixelsPerMm_.x(), pixelsPerMm_.y());
    return QTransform(m.sx, 0, 0, m.sy, m.tx, m.ty);
}

double MetafilePlayer::OutputScale() const {
    const QTransform t = LogicalToOutput();
    return std::sqrt(std::abs(t.m11() * t.m22() - t.m12() * t.m21()));
}

bool MetafilePlayer::PlayMappingRecord(const RecordReader& r) {
    if (state_.page.Play(r)) return true;
    if (r.Type() != EMR_SETWORLDTRANSFORM && r.Type() != EMR_MODIFYWORLDTRANSFORM) return false;
    state_.world = ModifiedWorld(state_.world, EmrModifyWorldTransform::Read(r));
    return true;
}

}  // namespace platform
