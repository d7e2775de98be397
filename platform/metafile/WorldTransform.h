#pragma once
// The world transform, from world units to page units: how SETWORLDTRANSFORM and
// MODIFYWORLDTRANSFORM change it, for the player and the conversion to Windows metafiles alike.

#include <QTransform>

#include "platform/metafile/EmfStateRecords.h"

namespace platform {

// The world transform after the record; the current one when the record's mode is unknown or
// the result is not finite or not invertible.
QTransform ModifiedWorld(const QTransform& world, const EmrModifyWorldTransform& record);

}  // namespace platform
