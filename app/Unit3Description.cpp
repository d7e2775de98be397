// The About window's description, with the maker's logo as a persisted picture block.

#include "app/AboutLogo.h"
#include "app/Descriptions.h"
#include "app/Unit1.h"
#include "app/conversion/Version.h"

using namespace fd;

namespace {

const std::vector<std::string> kTermsOfUse{
    "Program slouží k přípravě fotografií",
    "pro inzeráty na serveru Lumovar.",
    "Užíváte jej na vlastní riziko;",
    "autor neručí za škody vzniklé jeho",
    "použitím ani nemožností použití.",
    "Šířit jej smíte jen v nezměněné",
    "podobě a bez úplaty.",
};

// clang-format off
TFormDescription Build() {
    TFormDescription d;
    d.properties = {P("Caption", S("O programu")), P("ClientWidth", N(417)), P("ClientHeight", N(159)),
                    P("Color", I("clBtnFace")), P("Position", I("poMainFormCenter"))};
    d.components = {
        {"Shape1", "TShape", "", 216, 24, 193, 121,
         {P("Brush.Color", I("clWhite")), P("Pen.Color", I("clBlack")), P("Cursor", I("crArrow"))}},
        {"Label1", "TLabel", "", 8, 24, 182, 29,
         {P("AutoSize", false), P("Font.Height", N(-23)), P("Font.Style", I("fsBold")),
          P("Caption", std::string("Obrazor ") + kProgramVersion)}},
        {"Image1", "TImage", "", 224, 32, 175, 94,
         {P("Picture.Data", B(AboutLogoData().data(), AboutLogoData().size())), P("Cursor", I("crHandPoint")),
          P("Hint", S(kMakerAddress)), P("OnClick", I("Image1Click"))}},
        {"Label2", "TLabel", "", 8, 64, 201, 13, {P("AutoSize", false), P("Caption", S("© 2026 Datalesk s.r.o."))}},
        {"Memo1", "TMemo", "", 8, 80, 201, 65,
         {P("Lines", kTermsOfUse), P("ReadOnly", true), P("ScrollBars", I("ssVertical")), P("TabOrder", N(0))}},
    };
    return d;
}
// clang-format on

}  // namespace

const TFormDescription& Form3Description() {
    static const TFormDescription description = Build();
    return description;
}
