#pragma once
// TShape: a rectangle with a fill colour and an outline of one pixel.

#include "ui/Control.h"

class TShape : public TControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TShape(TComponent* owner);

    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor value);
    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor value);

private:
    TColor brushColor_ = clWhite;
    TColor penColor_ = clBlack;
};
