// The main window's description: every component with its place, size, tab order and texts.

#include <string>

#include "app/Descriptions.h"
#include "app/Unit1.h"
#include "app/conversion/PictureFormats.h"
#include "app/conversion/Version.h"

using namespace fd;

namespace {

constexpr const char* kFormatFilters =
    "Fotografie JPG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Fotografie/Grafika GIF (*.gif)|*.gif|"
    "Fotografie BMP (*.bmp)|*.bmp|Grafika WMF (*.wmf)|*.wmf|Grafika EMF (*.emf)|*.emf|";
constexpr const char* kAllFilesFilter = "Všechny soubory (*.*)|*.*";

std::string AllPicturesFilter() {
    const std::string mask = AllPicturesMask();
    return "Všechny obrázky (" + mask + ")|" + mask + "|";
}

std::string Filter() { return kFormatFilters + AllPicturesFilter() + kAllFilesFilter; }

// clang-format off
TFormDescription Build() {
    TFormDescription d;
    d.properties = {P("Caption", std::string("Lumovar Obrazor ") + kProgramVersion),
                    P("ClientWidth", N(617)),       P("ClientHeight", N(370)),
                    P("Color", I("clBtnFace")),     P("Position", I("poScreenCenter")),
                    P("Menu", I("MainMenu1")),      P("OnCreate", I("FormCreate"))};
    d.components = {
        {"Img1", "TImage", "", 4, 4, 105, 105, {P("Visible", false)}},
        {"Label1", "TLabel", "", 576, 32, 32, 13,
         {P("Alignment", I("taRightJustify")), P("AutoSize", true), P("Caption", S("Label1"))}},
        {"Label2", "TLabel", "", 576, 8, 32, 13,
         {P("Alignment", I("taRightJustify")), P("AutoSize", true), P("Caption", S("Label2"))}},
        {"Label3", "TLabel", "", 8, 352, 317, 13,
         {P("AutoSize", false), P("Caption", S("Obrazor pro vás vyvinula a provozuje Datalesk s.r.o.")),
          P("Cursor", I("crHandPoint")), P("Hint", S("O programu...")), P("OnClick", I("Label3Click"))}},
        {"Label4", "TLabel", "", 328, 352, 118, 13,
         {P("AutoSize", false), P("Caption", S("www.lumovar.example")), P("Font.Color", I("clBlue")),
          P("Cursor", I("crHandPoint")), P("Hint", S(kSiteAddress)), P("OnClick", I("Label4Click"))}},
        {"Memo1", "TMemo", "", 312, 248, 297, 97,
         {P("Color", I("clBtnFace")), P("Lines", std::vector<std::string>{"Memo1"}), P("ReadOnly", true),
          P("ScrollBars", I("ssVertical")), P("TabOrder", N(0))}},
        {"Button2", "TButton", "", 512, 72, 97, 57,
         {P("Caption", S("Převeď!")), P("Font.Style", I("fsBold")), P("TabOrder", N(1)),
          P("OnClick", I("Button2Click"))}},
        {"LE1", "TLabeledEdit", "", 392, 136, 217, 21,
         {P("EditLabel.Width", N(78)), P("EditLabel.Height", N(13)), P("EditLabel.Caption", S("Původní soubor:")),
          P("TabOrder", N(2))}},
        {"LE2", "TLabeledEdit", "", 568, 200, 41, 21,
         {P("EditLabel.Width", N(104)), P("EditLabel.Height", N(13)),
          P("EditLabel.Caption", S("JPEG Quality(1..100): ")), P("TabOrder", N(3))}},
        {"DirectoryListBox1", "TDirectoryListBox", "", 8, 32, 145, 313,
         {P("ItemHeight", N(16)), P("FileList", I("FileListBox1")), P("TabOrder", N(4))}},
        {"DriveComboBox1", "TDriveComboBox", "", 8, 8, 145, 19,
         {P("DirList", I("DirectoryListBox1")), P("TabOrder", N(5))}},
        {"FileListBox1", "TFileListBox", "", 160, 32, 145, 313,
         {P("ItemHeight", N(13)), P("Mask", S("*.jpg;*.jpeg")), P("FileType", std::vector<std::string>{"ftReadOnly", "ftNormal"}),
          P("TabOrder", N(6)), P("OnChange", I("FileListBox1Change"))}},
        {"FilterComboBox1", "TFilterComboBox", "", 160, 8, 145, 21,
         {P("FileList", I("FileListBox1")), P("Filter", Filter()), P("TabOrder", N(7))}},
        {"CheckBox1", "TCheckBox", "", 312, 200, 97, 17, {P("Caption", S("Černobíle")), P("TabOrder", N(8))}},
        {"Panel1", "TPanel", "", 312, 8, 161, 121, {P("Caption", S("Náhled")), P("TabOrder", N(9))}},
        {"Image0", "TImage", "Panel1", 0, 0, 160, 120,
         {P("Cursor", I("crHandPoint")), P("Hint", S("Pro plnou velikost klikněte...")),
          P("OnClick", I("Image0Click"))}},
        {"LE3", "TLabeledEdit", "", 392, 168, 217, 21,
         {P("EditLabel.Width", N(63)), P("EditLabel.Height", N(13)), P("EditLabel.Caption", S("Nový soubor:")),
          P("TabOrder", N(10))}},
        {"CheckBox2", "TCheckBox", "", 312, 224, 225, 17,
         {P("Caption", S("Automaticky přepsat existující soubory")), P("TabOrder", N(11))}},
        {"MainMenu1", "TMainMenu", "", 0, 0, 0, 0, {}},
        {"Konec1", "TMenuItem", "MainMenu1", 0, 0, 0, 0, {P("Caption", S("&Konec")), P("OnClick", I("Konec1Click"))}},
        {"Volby1", "TMenuItem", "MainMenu1", 0, 0, 0, 0, {P("Caption", S("Volby"))}},
        {"HladkeZmenseni1", "TMenuItem", "Volby1", 0, 0, 0, 0,
         {P("Caption", S("Hladké zmenšení")), P("AutoCheck", true), P("OnClick", I("HladkeZmenseni1Click"))}},
        {"Oprogramu1", "TMenuItem", "MainMenu1", 0, 0, 0, 0,
         {P("Caption", S("O programu...")), P("OnClick", I("Oprogramu1Click"))}},
    };
    return d;
}
// clang-format on

}  // namespace

const TFormDescription& Form1Description() {
    static const TFormDescription description = Build();
    return description;
}
