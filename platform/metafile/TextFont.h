#pragma once
// The fonts text records draw with. The face name decides the family: an installed face, or the
// family fontconfig's aliases give a Windows face (Liberation for Arial, Times New Roman and
// Courier New, Carlito for Calibri, Caladea for Cambria, the URW faces for the PostScript ones),
// which have the same advances. Only a face nothing knows falls back to the generic family its
// pitch-and-family byte names.

#include <QFont>
#include <QString>
#include <cstdint>

#include "platform/metafile/MetaObjects.h"

namespace platform {

QString FamilyFor(const QString& face, std::uint8_t pitchAndFamily);

// The font of `f` at an em height of `pixels`, its characters `widthPixels` wide on average
// (0: the face's own width). Symbol-set fonts take a family that has the signs they stand for.
QFont OutputFont(const MetaFont& f, double pixels, double widthPixels);

}  // namespace platform
