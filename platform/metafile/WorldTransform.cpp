// SETWORLDTRANSFORM and MODIFYWORLDTRANSFORM applied to the current world transform.
#include "platform/metafile/WorldTransform.h"

#include <cmath>

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

QTransform ModifiedWorld(const QTransform& world, const EmrModifyWorldTransform& record) {
    const QTransform x = ToTransform(record.xform);
    QTransform result = world;
    switch (record.mode) {
    case MWT_IDENTITY: result.reset(); break;
    case MWT_LEFTMULTIPLY: result = x * world; break;
    case MWT_RIGHTMULTIPLY: result = world * x; break;
    case MWT_SET: result = x; break;
    default: return world;
    }
    return Finite(result) && result.isInvertible() ? result : world;
}

}  // namespace platform
