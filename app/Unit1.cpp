#include "app/Unit1.h"

#include <QDesktopServices>
#include <QUrl>

#include "app/Descriptions.h"
#include "app/StoredOptions.h"
#include "filectrl/FileControlClasses.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/conversion/ConversionMessages.h"
#include "app/conversion/OutputPath.h"
#include "app/conversion/QualityText.h"
#include "app/conversion/UprightPicture.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "ui/Application.h"
#include "ui/KeyActivation.h"
#include "ui/Screen.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TForm1, TForm);

TForm1* Form1 = nullptr;

namespace {
constexpr const char* kSelectedCountText = "Vybráno souborů: ";
}

std::function<void(const std::string&)> OpenUrlHook = [](const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
};

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    RegisterFileControlClasses();
    RegisterHandlers();
    ReadDescription(Form1Description());
    OnCanDropFile = [this](const std::string& path) { return CanDropFile(path); };
    OnDropFiles = [this](TObject* sender, const std::vector<std::string>& paths) { FormDropFiles(sender, paths); };
    OnFillFailure = [this](const std::exception& failure) { return ListingFailed(failure); };
    // The preview by keyboard: its panel takes the keyboard, and Enter or Space there opens the
    // full-size view as a click on the preview does (a preview without area cannot be clicked).
    Panel1->SetTabStop(true);
    ActivateByKeyboard(Panel1->Widget(), [this] {
        if (Image0->Width() > 0 && Image0->Height() > 0) Image0Click(Panel1);
    });
}

// The start-up folder could not be listed: the window starts with an empty list and says why
// in the log rather than in a box that does not name the folder.
bool TForm1::ListingFailed(const std::exception& failure) {
    const auto* known = dynamic_cast<const Exception*>(&failure);
    if (!known) return false;
    Memo1->Add(
        Format(msg::SFolderUnreadable, FileListBox1->Directory().c_str(), ExceptionBoxText(known->Message()).c_str()));
    return true;
}

void TForm1::RegisterHandlers() {
    const auto bind = [this](const char* name, void (TForm1::*handler)(TObject*)) {
        RegisterHandler(name, [this, handler](TObject* sender) { (this->*handler)(sender); });
    };
    // Fields first: FormCreate runs at the end of the reading and uses them.
    RegisterHandler("FormCreate", [this](TObject* sender) {
        BindFields();
        FormCreate(sender);
    });
    bind("Button2Click", &TForm1::Button2Click);
    bind("FileListBox1Change", &TForm1::FileListBox1Change);
    bind("Image0Click", &TForm1::Image0Click);
    bind("Label3Click", &TForm1::Label3Click);
    bind("Label4Click", &TForm1::Label4Click);
    bind("Oprogramu1Click", &TForm1::Oprogramu1Click);
    bind("Konec1Click", &TForm1::Konec1Click);
    bind("HladkeZmenseni1Click", &TForm1::HladkeZmenseni1Click);
}

void TForm1::BindFields() {
    Img1 = Field<TImage>("Img1");
    Label1 = Field<TLabel>("Label1");
    Label2 = Field<TLabel>("Label2");
    Label3 = Field<TLabel>("Label3");
    Label4 = Field<TLabel>("Label4");
    Memo1 = Field<TMemo>("Memo1");
    Button2 = Field<TButton>("Button2");
    LE1 = Field<TLabeledEdit>("LE1");
    LE2 = Field<TLabeledEdit>("LE2");
    DirectoryListBox1 = Field<TDirectoryListBox>("DirectoryListBox1");
    DriveComboBox1 = Field<TDriveComboBox>("DriveComboBox1");
    FileListBox1 = Field<TFileListBox>("FileListBox1");
    FilterComboBox1 = Field<TFilterComboBox>("FilterComboBox1");
    CheckBox1 = Field<TCheckBox>("CheckBox1");
    Panel1 = Field<TPanel>("Panel1");
    Image0 = Field<TImage>("Image0");
    LE3 = Field<TLabeledEdit>("LE3");
    CheckBox2 = Field<TCheckBox>("CheckBox2");
    MainMenu1 = Field<TMainMenu>("MainMenu1");
    Konec1 = Field<TMenuItem>("Konec1");
    Volby1 = Field<TMenuItem>("Volby1");
    HladkeZmenseni1 = Field<TMenuItem>("HladkeZmenseni1");
    Oprogramu1 = Field<TMenuItem>("Oprogramu1");
    FileListBox1->OnSelectionChange = [this](TObject* sender) { FileListBox1SelectionChange(sender); };
}

void TForm1::FormCreate(TObject*) {
    Memo1->Clear();
    SaveRequested = false;
    LE1->SetText("Zadejte uplný název souboru...");
    LE2->SetText(std::to_string(kDefaultJpegQuality));
    Label1->SetCaption("Výška: -");
    Label2->SetCaption("Šířka: -");
    Image0->SetHeight(0);
    Image0->SetWidth(0);
    Image0->Picture().CopyFrom(nullptr);
    HladkeZmenseni1->SetChecked(StoredSmoothReduction());
}

void TForm1::ResetWindow() {
    LE3->SetText("");
    LE1->SetText("");
    Label1->SetCaption("Výška: -");
    Label2->SetCaption("Šířka: -");
    Panel1->SetCaption("Náhled");
    Image0->SetHeight(0);
    Image0->SetWidth(0);
    Image0->Picture().CopyFrom(nullptr);
}

void TForm1::FileListBox1Change(TObject*) {
    if (Form2) Form2->StopAnimation();
    const std::string path = FileListBox1->FileName();
    LE1->SetText(path);
    if (path.empty()) {
        ResetWindow();
        return;
    }
    LE3->SetText(OutputPathFor(path));
    Panel1->SetCaption("");
    Button2Click(FileListBox1);
}

void TForm1::FileListBox1SelectionChange(TObject*) {
    const int count = FileListBox1->SelectedCount();
    if (count < 2) return;
    // One line follows the selection as it grows, instead of one line per click.
    std::vector<std::string> lines = Memo1->Lines();
    if (!lines.empty() && lines.back().starts_with(kSelectedCountText)) {
        lines.pop_back();
        Memo1->Clear();
        for (const std::string& line : lines) Memo1->Add(line);
    }
    Memo1->Add(kSelectedCountText + std::to_string(count));
}

void TForm1::Image0Click(TObject*) {
    const TScreenCursor busy(TCursor::crHourGlass);  // the view reads the whole picture again
    const std::string path = LE1->Text();
    TPicture& view = Form2->Image1->Picture();
    view.ReadFromFile(path);
    OrientUpright(view);
    const std::int32_t height = view.ImageHeight();
    const std::int32_t width = view.ImageWidth();
    Form2->SetClientHeight(height);
    Form2->SetClientWidth(width);
    Form2->SetCaption("100% zobrazení: " + std::to_string(width) + " x " + std::to_string(height));
    Form2->Show();
}

void TForm1::Label3Click(TObject*) { Form3->ShowModal(); }

void TForm1::Oprogramu1Click(TObject* Sender) { Label3Click(Sender); }

void TForm1::Label4Click(TObject*) { Otevrit(kSiteAddress); }

void TForm1::Konec1Click(TObject*) { Close(); }

void TForm1::HladkeZmenseni1Click(TObject*) { StoreSmoothReduction(HladkeZmenseni1->Checked()); }

void TForm1::Otevrit(const std::string& address) {
    if (OpenUrlHook) OpenUrlHook(address);
}
