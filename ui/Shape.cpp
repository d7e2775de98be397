#include "ui/Shape.h"

#include "ui/ShapeView.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TShape, TControl);

TShape::TShape(TComponent* owner) : TControl(owner, new ShapeView) { EnableMouseClick(); }

void TShape::SetBrushColor(TColor value) {
    brushColor_ = value;
    static_cast<ShapeView*>(Widget())->fill = ToQColor(value);
    Widget()->update();
}

void TShape::SetPenColor(TColor value) {
    penColor_ = value;
    static_cast<ShapeView*>(Widget())->outline = ToQColor(value);
    Widget()->update();
}
