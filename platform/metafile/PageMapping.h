#pragma once
// The page mapping of a drawing context: the mapping mode, the window and the viewport, changed
// by the enhanced mapping records, and the scale and offset they give from logical units to
// reference-device pixels. The player draws through it; the conversion to Windows metafiles
// turns it into the window those files keep.

#include <cstdint>

#include "platform/metafile/EnhMetaFile.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

constexpr int MM_TEXT = 1, MM_LOMETRIC = 2, MM_HIMETRIC = 3, MM_LOENGLISH = 4, MM_HIENGLISH = 5, MM_TWIPS = 6,
              MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8;

// device = logical × scale + offset, on each axis.
struct AxisMapping {
    double sx = 1, sy = 1, tx = 0, ty = 0;
};

struct PageMapping {
    int mode = MM_TEXT;
    double windowOrgX = 0, windowOrgY = 0, windowExtX = 1, windowExtY = 1;
    double viewportOrgX = 0, viewportOrgY = 0, viewportExtX = 1, viewportExtY = 1;

    // Plays SETMAPMODE, SETWINDOWORGEX, SETWINDOWEXTEX, SETVIEWPORTORGEX, SETVIEWPORTEXTEX,
    // SCALEWINDOWEXTEX and SCALEVIEWPORTEXTEX; false for other records.
    bool Play(const RecordReader& r);
    // Logical units to pixels of a reference device of these pixels per millimetre.
    AxisMapping ToDevice(double pixelsPerMmX, double pixelsPerMmY) const;
};

// The picture frame in reference-device pixels, and the device's pixels per millimetre (96 per
// inch for a header that gives none). The header's frame; when it is empty, its bounds; when
// those are empty too, one pixel.
struct ReferenceFrame {
    double left = 0, top = 0, right = 1, bottom = 1;
    double pixelsPerMmX = 96 / 25.4, pixelsPerMmY = 96 / 25.4;
};
ReferenceFrame ReferenceFrameOf(const ENHMETAHEADER& header);

}  // namespace platform
