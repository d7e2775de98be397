#pragma once
// Enhanced-metafile state, mapping, object-selection and clipping records read into named
// fields, once, through the checked RecordReader; the player and the conversion to Windows
// metafiles both start from these.

#include <cstdint>
#include <span>

#include "platform/GdiTypes.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

// The records of one 32-bit value: SETMAPMODE, SETBKMODE, SETPOLYFILLMODE, SETROP2,
// SETSTRETCHBLTMODE, SETTEXTALIGN, SETTEXTCOLOR, SETBKCOLOR, SETMAPPERFLAGS, SETARCDIRECTION,
// SETLAYOUT and SELECTCLIPPATH (its region mode).
struct EmrSetValue {
    std::uint32_t value = 0;
    static EmrSetValue Read(const RecordReader& r);
};

struct EmrRestoreDc {
    std::int32_t savedDc = 0;  // negative: back from the latest save
    static EmrRestoreDc Read(const RecordReader& r);
};

// SELECTOBJECT, DELETEOBJECT and SELECTPALETTE.
struct EmrObjectIndex {
    std::uint32_t ihObject = 0;  // a stock object with the high bit set
    static EmrObjectIndex Read(const RecordReader& r);
};

// The records of one point or extent: MOVETOEX, LINETO, SETWINDOWORGEX, SETVIEWPORTORGEX,
// SETWINDOWEXTEX, SETVIEWPORTEXTEX and OFFSETCLIPRGN.
struct EmrPoint {
    POINT point;  // an extent's cx and cy, an offset's dx and dy
    static EmrPoint Read(const RecordReader& r);
};

// SCALEVIEWPORTEXTEX and SCALEWINDOWEXTEX: extent × num ÷ denom on each axis.
struct EmrScaleExtEx {
    std::int32_t xNum = 0, xDenom = 0, yNum = 0, yDenom = 0;
    static EmrScaleExtEx Read(const RecordReader& r);
};

struct XForm {
    float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
};

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
