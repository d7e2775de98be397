#include "platform/GdiObjects.h"

#include "platform/Surface.h"

namespace platform {

HPEN CreatePenIndirect(const LOGPEN& pen) {
    if (pen.lopnStyle < PS_SOLID || pen.lopnStyle > PS_INSIDEFRAME) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return std::make_shared<Pen>(pen);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH& brush) {
    const bool hatchOk = brush.lbHatch >= HS_HORIZONTAL && brush.lbHatch <= HS_DIAGCROSS;
    if (brush.lbStyle > BS_HATCHED || (brush.lbStyle == BS_HATCHED && !hatchOk)) {
        // Pattern brushes need their bitmap: CreatePatternBrush.
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return std::make_shared<Brush>(brush);
}

HBRUSH CreatePatternBrush(const HBITMAP& pattern) {
    if (!pattern) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return std::make_shared<Brush>(LOGBRUSH{BS_PATTERN, 0, 0}, pattern);
}

HFONT CreateFontIndirect(const LOGFONT& font) { return std::make_shared<Font>(font); }

LOGBRUSH GetBrushInfo(const HBRUSH& brush) { return brush ? brush->Info() : LOGBRUSH{}; }
LOGPEN GetPenInfo(const HPEN& pen) { return pen ? pen->Info() : LOGPEN{}; }
LOGFONT GetFontInfo(const HFONT& font) { return font ? font->Info() : LOGFONT{}; }

}  // namespace platform
