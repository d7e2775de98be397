// The page mapping (PageMapping.cpp) and world transforms: logical units to output pixels.
#include <cmath>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

constexpr std::uint32_t MWT_IDENTITY = 1, MWT_LEFTMULTIPLY = 2, MWT_RIGHTMULTIPLY = 3, MWT_SET = 4;

QTransform ToTransform(const XForm& x) { return QTransform(x.m11, x.m12, x.m21, x.m22, x.dx, x.dy); }

bool Finite(const QTransform& t) {
    for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

QTransform MetafilePlayer::PageToDevice() const {
    const AxisMapping m = state_.page.ToDevice(pixelsPerMm_.x(), pixelsPerMm_.y());
    return QTransform(m.sx, 0, 0, m.sy, m.tx, m.ty);
}

double MetafilePlayer::OutputScale() const {
    const QTransform t = LogicalToOutput();
    return std::sqrt(std::abs(t.m11() * t.m22() - t.m12() * t.m21()));
}

void MetafilePlayer::ModifyWorld(const QTransform& x, std::uint32_t mode) {
    QTransform result = state_.world;
    switch (mode) {
    case MWT_IDENTITY: result.reset(); break;
    case MWT_LEFTMULTIPLY: result = x * state_.world; break;
    case MWT_RIGHTMULTIPLY: result = state_.world * x; break;
    case MWT_SET: result = x; break;
    default: return;
    }
    if (Finite(result) && result.isInvertible()) state_.world = result;
}

bool MetafilePlayer::PlayMappingRecord(const RecordReader& r) {
    if (state_.page.Play(r)) return true;
    if (r.Type() != EMR_SETWORLDTRANSFORM && r.Type() != EMR_MODIFYWORLDTRANSFORM) return false;
    const EmrModifyWorldTransform m = EmrModifyWorldTransform::Read(r);
    ModifyWorld(ToTransform(m.xform), m.mode);
    return true;
}

}  // namespace platform
