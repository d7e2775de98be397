// The full-size view's description: a tool window whose image fills it.

#include "app/Descriptions.h"

using namespace fd;

namespace {

// clang-format off
TFormDescription Build() {
    TFormDescription d;
    d.properties = {P("Caption", S("100% zobrazení")), P("ClientWidth", N(320)), P("ClientHeight", N(240)),
                    P("Color", I("clBtnFace")),       P("BorderStyle", I("bsToolWindow")),
                    P("Position", I("poMainFormCenter"))};
    d.components = {
        {"Image1", "TImage", "", 0, 0, 320, 240,
         {P("Align", I("alClient")), P("Hint", S("Pro zavření klikněte...")), P("OnClick", I("Image1Click"))}},
    };
    return d;
}
// clang-format on

}  // namespace

const TFormDescription& Form2Description() {
    static const TFormDescription description = Build();
    return description;
}
