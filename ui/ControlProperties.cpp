#include "ui/ControlProperties.h"

#include "ui/PropertyValue.h"
#include "ui/WinControl.h"

using namespace ui;

namespace {

bool SetFontProperty(TControl& control, const std::string& name, const TPropertyValue& value) {
    TControlFont font = control.Font();
    if (name == "Font.Name") font.Name = AsText(value);
    else if (name == "Font.Height") font.PixelHeight = AsInt(value) < 0 ? -AsInt(value) : AsInt(value);
    else if (name == "Font.Style") font.Bold = AsIdent(value) == "fsBold";
    else if (name == "Font.Color") font.Color = AsColor(value);
    else return false;
    control.SetFont(font);
    return true;
}

bool SetWinControlProperty(TControl& control, const std::string& name, const TPropertyValue& value) {
    auto* win = dynamic_cast<TWinControl*>(&control);
    if (!win) return false;
    if (name == "TabOrder") win->SetTabOrder(AsInt(value));
    else if (name == "TabStop") win->SetTabStop(AsBool(value));
    else return false;
    return true;
}

}  // namespace

bool SetControlProperty(TControl& control, const std::string& name, const TPropertyValue& value,
                        const TReaderContext& context) {
    if (name == "Caption" || name == "Text") control.SetText(AsText(value));
    else if (name == "Hint") control.SetHint(AsText(value));
    else if (name == "Cursor") control.SetCursor(AsCursor(value));
    else if (name == "Visible") control.SetVisible(AsBool(value));
    else if (name == "Enabled") control.SetEnabled(AsBool(value));
    else if (name == "Color") control.SetColor(AsColor(value));
    else if (name == "Align") control.SetAlign(AsIdent(value) == "alClient" ? TAlign::alClient : TAlign::alNone);
    else if (name == "OnClick") control.OnClick = context.Handler(AsIdent(value));
    else return SetFontProperty(control, name, value) || SetWinControlProperty(control, name, value);
    return true;
}
