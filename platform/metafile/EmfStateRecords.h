#pragma once
// Enhanced-metafile state, mapping, object-selection and clipping records read into named
// fields, once, through the checked RecordReader; the player and the conversion to Windows
// metafiles both start from these. Those Windows metafiles have too are in RecordPairs.h.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "platform/GdiTypes.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

// The records of one 32-bit value: SETMAPMODE, SETBKMODE, SETPOLYFILLMODE, SETROP2,
// SETSTRETCHBLTMODE, SETTEXTALIGN, SETTEXTCOLOR, SETBKCOLOR, SETMAPPERFLAGS, SETARCDIRECTION,
// SETLAYOUT, SELECTCLIPPATH (its region mode), and SELECTOBJECT, DELETEOBJECT and SELECTPALETTE
// (an object index; stock objects have the high bit set).
using EmrSetValue = OneValueRecord<std::uint32_t, 8>;
using EmrObjectIndex = OneValueRecord<std::uint32_t, 8>;

// RESTOREDC: a negative level counts back from the latest save.
using EmrRestoreDc = OneValueRecord<std::int32_t, 8>;

// The save RESTOREDC brings back from a stack of `depth` saves, which is also how many saves stay
// below it; none when the level names no save. Negative levels count back from the latest save,
// positive ones name a save by its depth.
std::optional<std::size_t> RestoredSave(std::int32_t level, std::size_t depth);

struct XForm {
    float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
};

// MODIFYWORLDTRANSFORM's modes.
constexpr std::uint32_t MWT_IDENTITY = 1, MWT_LEFTMULTIPLY = 2, MWT_RIGHTMULTIPLY = 3, MWT_SET = 4;

// SETWORLDTRANSFORM and MODIFYWORLDTRANSFORM; the first is read as a modification of mode
// MWT_SET.
struct EmrModifyWorldTransform {
    XForm xform;
    std::uint32_t mode = 0;
    static EmrModifyWorldTransform Read(const RecordReader& r);
};

// EXTSELECTCLIPRGN: a region mode and the RegionData block; a block shorter than its header
// is none.
struct EmrExtSelectClipRgn {
    std::uint32_t mode = 0;
    std::span<const std::uint8_t> rgnData;
    static EmrExtSelectClipRgn Read(const RecordReader& r);
};

}  // namespace platform
