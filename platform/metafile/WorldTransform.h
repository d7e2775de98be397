#pragma once
// The world transform, from world units to page units: how SETWORLDTRANSFORM and
// MODIFYWORLDTRANSFORM change it, for the player and the conversion to Windows metafiles alike.
// The rules are written once over the transform type: the player keeps a QTransform, the
// conversion a WorldMatrix, so that the command-line tool, which converts but never plays, does
// not load Qt.

#include <cmath>
#include <cstdint>

#include "platform/metafile/EmfStateRecords.h"

namespace platform {

// An affine transform as six numbers, with the names, layout (row vectors: x' = x m11 + y m21 +
// dx) and products of QTransform's affine transforms.
class WorldMatrix {
public:
    WorldMatrix() = default;
    WorldMatrix(double m11, double m12, double m21, double m22, double dx, double dy)
        : m11_(m11), m12_(m12), m21_(m21), m22_(m22), dx_(dx), dy_(dy) {}

    double m11() const { return m11_; }
    double m12() const { return m12_; }
    double m21() const { return m21_; }
    double m22() const { return m22_; }
    double dx() const { return dx_; }
    double dy() const { return dy_; }
    void reset() { *this = WorldMatrix(); }
    // As QTransform judges it: a determinant of at most 1e-12 is none.
    bool isInvertible() const { return std::abs(m11_ * m22_ - m21_ * m12_) > 1e-12; }

    // This transform, then `after`.
    WorldMatrix operator*(const WorldMatrix& after) const {
        return {m11_ * after.m11_ + m12_ * after.m21_,           m11_ * after.m12_ + m12_ * after.m22_,
                m21_ * after.m11_ + m22_ * after.m21_,           m21_ * after.m12_ + m22_ * after.m22_,
                dx_ * after.m11_ + dy_ * after.m21_ + after.dx_, dx_ * after.m12_ + dy_ * after.m22_ + after.dy_};
    }

private:
    double m11_ = 1, m12_ = 0, m21_ = 0, m22_ = 1, dx_ = 0, dy_ = 0;
};

// The world transform after the record; the current one when the record's mode is unknown or
// the result is not finite or not invertible.
template <class Transform>
Transform ModifiedWorld(const Transform& world, const EmrModifyWorldTransform& record) {
    const XForm& f = record.xform;
    const Transform x(f.m11, f.m12, f.m21, f.m22, f.dx, f.dy);
    Transform result = world;
    switch (record.mode) {
    case MWT_IDENTITY: result.reset(); break;
    case MWT_LEFTMULTIPLY: result = x * world; break;
    case MWT_RIGHTMULTIPLY: result = world * x; break;
    case MWT_SET: result = x; break;
    default: return world;
    }
    for (const double v : {result.m11(), result.m12(), result.m21(), result.m22(), result.dx(), result.dy()})
        if (!std::isfinite(v)) return world;
    return result.isInvertible() ? result : world;
}

}  // namespace platform
