#include "ui/Panel.h"

#include "ui/PanelView.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TPanel, TWinControl);

TPanel::TPanel(TComponent* owner) : TWinControl(owner, new PanelView) {
    SetColor(clBtnFace);
    SetTabStop(false);
    EnableMouseClick();
}

void TPanel::SetColor(TColor value) {
    TControl::SetColor(value);
    static_cast<PanelView*>(Widget())->face = ToQColor(value);
    Widget()->update();
}

void TPanel::TextChanged() {
    static_cast<PanelView*>(Widget())->caption = QString::fromStdString(Text());
    Widget()->update();
}
