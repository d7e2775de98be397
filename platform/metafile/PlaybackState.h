#pragma once
// What a metafile's SaveDC keeps and RestoreDC brings back: mapping, colours, modes, selected
// objects, current position and clip.

#include <QPointF>
#include <QRegion>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/GdiTypes.h"
#include "platform/metafile/MetaObjects.h"
#include "platform/metafile/PageMapping.h"

namespace platform {

constexpr int ALTERNATE = 1, WINDING = 2;
constexpr int R2_COPYPEN = 13;
constexpr int AD_COUNTERCLOCKWISE = 1, AD_CLOCKWISE = 2;
constexpr std::uint32_t TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24;

struct PlaybackState {
    PageMapping page;
    QTransform world;
    int bkMode = OPAQUE;
    COLORREF bkColor = 0xFFFFFF;
    COLORREF textColor = 0;
    std::uint32_t textAlign = 0;
    int polyFillMode = ALTERNATE;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    std::shared_ptr<const MetaPen> pen;
    std::shared_ptr<const MetaBrush> brush;
    std::shared_ptr<const MetaFont> font;
    std::shared_ptr<const MetaPalette> palette;
    QPointF position;                   // current position, logical units
    std::optional<QRegion> clip;        // output pixels; none: only the target rectangle clips
    std::optional<QRegion> metaRegion;  // output pixels; the clip of earlier SetMetaRgn calls
};

}  // namespace platform
