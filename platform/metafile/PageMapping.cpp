// Mapping modes, window and viewport: logical units to reference-device pixels.
#include "platform/metafile/PageMapping.h"

#include <algorithm>
#include <cmath>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/RecordPairs.h"

namespace platform {

namespace {

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

// ScaleViewportExtEx / ScaleWindowExtEx: a zero denominator leaves the extent as it is.
void Scale(double& x, double& y, const ScaleExtRecord& s) {
    if (s.xDenom == 0 || s.yDenom == 0) return;
    x = x * s.xNum / s.xDenom;
    y = y * s.yNum / s.yDenom;
}

// Reference-device pixels per millimetre, falling back to 96 per inch for a header that gives none.
double PixelsPerMm(std::int32_t pixels, std::int32_t millimetres) {
    return pixels > 0 && millimetres > 0 ? double(pixels) / millimetres : 96.0 / 25.4;
}

void Set(double& x, double& y, const RecordReader& r) {
    const POINT p = PointRecord::FromEmf(r).point;
    x = p.x;
    y = p.y;
}

}  // namespace

bool PageMapping::Play(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_SETMAPMODE: {
        const auto m = std::int32_t(EmrSetValue::Read(r).value);
        if (m >= MM_TEXT && m <= MM_ANISOTROPIC) mode = m;
        return true;
    }
    case EMR_SETWINDOWEXTEX: Set(windowExtX, windowExtY, r); return true;
    case EMR_SETWINDOWORGEX: Set(windowOrgX, windowOrgY, r); return true;
    case EMR_SETVIEWPORTEXTEX: Set(viewportExtX, viewportExtY, r); return true;
    case EMR_SETVIEWPORTORGEX: Set(viewportOrgX, viewportOrgY, r); return true;
    case EMR_SCALEVIEWPORTEXTEX: Scale(viewportExtX, viewportExtY, ScaleExtRecord::FromEmf(r)); return true;
    case EMR_SCALEWINDOWEXTEX: Scale(windowExtX, windowExtY, ScaleExtRecord::FromEmf(r)); return true;
    default: return false;
    }
}

AxisMapping PageMapping::ToDevice(double pixelsPerMmX, double pixelsPerMmY) const {
    double sx = 1, sy = 1;
    if (const double mm = MillimetresPerUnit(mode); mm > 0) {
        sx = mm * pixelsPerMmX;
        sy = -mm * pixelsPerMmY;
    } else if (mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC) {
        if (windowExtX != 0 && windowExtY != 0) {
            sx = viewportExtX / windowExtX;
            sy = viewportExtY / windowExtY;
        }
        // Isotropic: both axes take the smaller scale, each keeping its sign.
        if (mode == MM_ISOTROPIC) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
    }
    return AxisMapping{sx, sy, viewportOrgX - windowOrgX * sx, viewportOrgY - windowOrgY * sy};
}

ReferenceFrame ReferenceFrameOf(const ENHMETAHEADER& header) {
    ReferenceFrame f;
    f.pixelsPerMmX = PixelsPerMm(header.szlDevice.cx, header.szlMillimeters.cx);
    f.pixelsPerMmY = PixelsPerMm(header.szlDevice.cy, header.szlMillimeters.cy);
    const RECT& frame = header.rclFrame;
    f.left = frame.left * f.pixelsPerMmX / 100, f.top = frame.top * f.pixelsPerMmY / 100;
    f.right = frame.right * f.pixelsPerMmX / 100, f.bottom = frame.bottom * f.pixelsPerMmY / 100;
    if (!(f.right - f.left > 0 && f.bottom - f.top > 0)) {
        const RECT& b = header.rclBounds;
        f.left = b.left, f.top = b.top, f.right = b.right + 1.0, f.bottom = b.bottom + 1.0;
    }
    if (!(f.right - f.left > 0 && f.bottom - f.top > 0)) f.left = 0, f.top = 0, f.right = 1, f.bottom = 1;
    return f;
}

}  // namespace platform
