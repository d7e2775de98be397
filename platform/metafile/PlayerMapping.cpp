// Mapping modes, window and viewport, world transforms: logical units to output pixels.
#include <cmath>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

constexpr std::uint32_t MWT_IDENTITY = 1, MWT_LEFTMULTIPLY = 2, MWT_RIGHTMULTIPLY = 3, MWT_SET = 4;

// Millimetres per logical unit of the fixed metric modes; 0 for the others.
double MillimetresPerUnit(int mode) {
    switch (mode) {
    case MM_LOMETRIC: return 0.1;
    case MM_HIMETRIC: return 0.01;
    case MM_LOENGLISH: return 0.254;
    case MM_HIENGLISH: return 0.0254;
    case MM_TWIPS: return 25.4 / 1440;
    default: return 0;
    }
}

QTransform ToTransform(const XForm& x) { return QTransform(x.m11, x.m12, x.m21, x.m22, x.dx, x.dy); }

bool Finite(const QTransform& t) {
    for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
        if (!std::isfinite(v)) return false;
    return true;
}

// ScaleViewportExtEx / ScaleWindowExtEx: a zero denominator leaves the extent as it is.
QPointF Scaled(QPointF extent, const ScaleExtRecord& s) {
    if (s.xDenom == 0 || s.yDenom == 0) return extent;
    return QPointF(extent.x() * s.xNum / s.xDenom, extent.y() * s.yNum / s.yDenom);
}

QPointF PointOf(const RecordReader& r) {
    const POINT p = PointRecord::FromEmf(r).point;
    return QPointF(p.x, p.y);
}

}  // namespace

QTransform MetafilePlayer::PageToDevice() const {
    const PlaybackState& s = state_;
    double sx = 1, sy = 1;
    if (const double mm = MillimetresPerUnit(s.mapMode); mm > 0) {
        sx = mm * pixelsPerMm_.x();
        sy = -mm * pixelsPerMm_.y();
    } else if (s.mapMode == MM_ISOTROPIC || s.mapMode == MM_ANISOTROPIC) {
        if (s.windowExt.x() != 0 && s.windowExt.y() != 0) {
            sx = s.viewportExt.x() / s.windowExt.x();
            sy = s.viewportExt.y() / s.windowExt.y();
        }
        // Isotropic: both axes take the smaller scale, each keeping its sign.
        if (s.mapMode == MM_ISOTROPIC) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
    }
    return QTransform(sx, 0, 0, sy, s.viewportOrg.x() - s.windowOrg.x() * sx, s.viewportOrg.y() - s.windowOrg.y() * sy);
}

double MetafilePlayer::OutputScale() const {
    const QTransform t = LogicalToOutput();
    return std::sqrt(std::abs(t.m11() * t.m22() - t.m12() * t.m21()));
}

void MetafilePlayer::SetMapMode(int mode) {
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC) return;
    state_.mapMode = mode;
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
    PlaybackState& s = state_;
    switch (r.Type()) {
    case EMR_SETMAPMODE: SetMapMode(int(EmrSetValue::Read(r).value)); return true;
    case EMR_SETWINDOWEXTEX: s.windowExt = PointOf(r); return true;
    case EMR_SETWINDOWORGEX: s.windowOrg = PointOf(r); return true;
    case EMR_SETVIEWPORTEXTEX: s.viewportExt = PointOf(r); return true;
    case EMR_SETVIEWPORTORGEX: s.viewportOrg = PointOf(r); return true;
    case EMR_SCALEVIEWPORTEXTEX: s.viewportExt = Scaled(s.viewportExt, ScaleExtRecord::FromEmf(r)); return true;
    case EMR_SCALEWINDOWEXTEX: s.windowExt = Scaled(s.windowExt, ScaleExtRecord::FromEmf(r)); return true;
    case EMR_SETWORLDTRANSFORM:
    case EMR_MODIFYWORLDTRANSFORM: {
        const EmrModifyWorldTransform m = EmrModifyWorldTransform::Read(r);
        ModifyWorld(ToTransform(m.xform), m.mode);
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
