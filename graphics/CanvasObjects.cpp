// Pen, brush and font of a canvas, and the conversion of the program's colours to RGB.
#include <algorithm>
#include <cstring>

#include "graphics/Canvas.h"

namespace {
constexpr int kDefaultFontPoints = 8;
constexpr int kPointsPerInch = 72;

int BrushHatch(TBrushStyle style) {
    switch (style) {
    case TBrushStyle::bsHorizontal: return platform::HS_HORIZONTAL;
    case TBrushStyle::bsVertical: return platform::HS_VERTICAL;
    case TBrushStyle::bsFDiagonal: return platform::HS_FDIAGONAL;
    case TBrushStyle::bsBDiagonal: return platform::HS_BDIAGONAL;
    case TBrushStyle::bsCross: return platform::HS_CROSS;
    default: return platform::HS_DIAGCROSS;
    }
}
}  // namespace

platform::COLORREF ColorToRGB(TColor color) {
    if (color < 0) return platform::GetSysColor(color & 0xFF);
    return platform::COLORREF(color);
}

void TGraphicsObject::Changed() {
    if (OnChange) OnChange(this);
}

// ---- TPen -----------------------------------------------------------------------------------

void TPen::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    handle_.reset();
    Changed();
}

void TPen::SetWidth(int value) {
    if (value == width_) return;
    width_ = value;
    handle_.reset();
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (value == style_) return;
    style_ = value;
    handle_.reset();
    Changed();
}

platform::HPEN TPen::Handle() {
    if (!handle_) {
        platform::LOGPEN pen;
        pen.lopnStyle = int(style_);  // the enumeration follows the platform's pen styles
        pen.lopnWidth = width_;
        pen.lopnColor = ColorToRGB(color_);
        handle_ = platform::CreatePenIndirect(pen);
    }
    return handle_;
}

// ---- TBrush ---------------------------------------------------------------------------------

void TBrush::SetColor(TColor value) {
    if (value == color_ && style_ != TBrushStyle::bsClear) return;
    color_ = value;
    if (style_ == TBrushStyle::bsClear) style_ = TBrushStyle::bsSolid;
    handle_.reset();
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value == style_) return;
    style_ = value;
    if (style_ == TBrushStyle::bsClear) color_ = clWhite;
    handle_.reset();
    Changed();
}

platform::HBRUSH TBrush::Handle() {
    if (!handle_) {
        platform::LOGBRUSH brush;
        brush.lbColor = ColorToRGB(color_);
        if (style_ == TBrushStyle::bsSolid) {
            brush.lbStyle = platform::BS_SOLID;
        } else if (style_ == TBrushStyle::bsClear) {
            brush.lbStyle = platform::BS_NULL;
        } else {
            brush.lbStyle = platform::BS_HATCHED;
            brush.lbHatch = BrushHatch(style_);
        }
        handle_ = platform::CreateBrushIndirect(brush);
    }
    return handle_;
}

// ---- TFont ----------------------------------------------------------------------------------

TFont::TFont()
    : height_(-((kDefaultFontPoints * platform::Display().pixelsPerInch + kPointsPerInch / 2) / kPointsPerInch)) {}

void TFont::SetColor(TColor value) {
    if (value == color_) return;
    color_ = value;
    Changed();  // the colour is the context's text colour, not part of the font object
}

void TFont::SetHeight(int value) {
    if (value == height_) return;
    height_ = value;
    handle_.reset();
    Changed();
}

void TFont::SetName(const std::string& value) {
    if (value == name_) return;
    name_ = value;
    handle_.reset();
    Changed();
}

void TFont::SetStyle(unsigned value) {
    if (value == style_) return;
    style_ = value;
    handle_.reset();
    Changed();
}

platform::HFONT TFont::Handle() {
    if (!handle_) {
        constexpr int kNormalWeight = 400, kBoldWeight = 700;
        platform::LOGFONT font;
        font.lfHeight = height_;
        font.lfWeight = (style_ & fsBold) ? kBoldWeight : kNormalWeight;
        font.lfItalic = style_ & fsItalic;
        font.lfUnderline = style_ & fsUnderline;
        font.lfStrikeOut = style_ & fsStrikeOut;
        const std::size_t n = std::min(name_.size(), sizeof font.lfFaceName - 1);
        std::memcpy(font.lfFaceName, name_.data(), n);
        handle_ = platform::CreateFontIndirect(font);
    }
    return handle_;
}
