#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <QFont>
#include <QTimer>

#include "MainWindowFixture.h"
#include "app/Descriptions.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/DriveComboBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

namespace {

TEST_F(MainWindow, FormCreateSetsTheFieldsBeforeTheFirstShowing) {
    EXPECT_EQ(Form1->LE1->Text(), "Zadejte uplný název souboru...");
    EXPECT_EQ(Form1->LE2->Text(), "75");
    EXPECT_EQ(Form1->LE3->Text(), "");
    EXPECT_EQ(Form1->Memo1->LineCount(), 0);
    EXPECT_EQ(Form1->Label1->Caption(), "Výška: -");
    EXPECT_EQ(Form1->Label2->Caption(), "Šířka: -");
    EXPECT_EQ(Form1->Panel1->Caption(), "Náhled");
    EXPECT_TRUE(Form1->Image0->Widget()->size().isEmpty());
    EXPECT_EQ(Form1->Image0->Picture().CurrentGraphic(), nullptr);
    EXPECT_FALSE(Form1->CheckBox1->Checked());
    EXPECT_FALSE(Form1->CheckBox2->Checked());
}

TEST_F(MainWindow, FirstShowingFillsTheFileListAndResetsTheWindow) {
    Picture("auto.jpg", 8, 6);
    Picture("obrazek.bmp", 8, 6);
    Form1->Show();
    ExpectNoFileChosen();  // the file list's first change: nothing selected
    EXPECT_EQ(Form1->FilterComboBox1->ItemIndex(), 0);
    EXPECT_EQ(Form1->FilterComboBox1->Items(0), "Fotografie JPG (*.jpg;*.jpeg)");
    ASSERT_EQ(Form1->FilterComboBox1->Count(), 7);
    EXPECT_EQ(Form1->FilterComboBox1->Items(5),
              "Všechny obrázky (*.jpg;*.jpeg;*.heic;*.heif;*.png;*.webp;*.gif;*.bmp;*.wmf;*.emf;*.ico)");
    EXPECT_EQ(Form1->FilterComboBox1->MaskAt(5),
              "*.jpg;*.jpeg;*.heic;*.heif;*.png;*.webp;*.gif;*.bmp;*.wmf;*.emf;*.ico");
    EXPECT_EQ(Form1->FilterComboBox1->Items(6), "Všechny soubory (*.*)");
    ASSERT_EQ(Form1->FileListBox1->Count(), 1);
    EXPECT_EQ(Form1->FileListBox1->Items(0), "auto.jpg");
    EXPECT_TRUE(Form1->Image0->Widget()->size().isEmpty());  // nothing to click
    EXPECT_EQ(Form1->Caption(), "Lumovar Obrazor 1.1");
    EXPECT_EQ(Form1->ClientWidget()->size(), QSize(617, 370));
    EXPECT_EQ(Application->MainForm(), Form1);
    Form1->Hide();
}

// Runs the program's loop as start-up does, and ends it once the events that the first
// showing left behind have been handled.
void RunStartUp(bool& shown) {
    QTimer::singleShot(0, [&shown] {
        QTimer::singleShot(0, [&shown] {
            shown = Form1->Showing();
            Form1->Close();
        });
    });
    Application->Run();
}

// No state of the current folder ends the program: the window comes up with what can be shown.
TEST_F(MainWindow, StartsInAnUnreadableFolder) {
    Picture("auto.jpg", 8, 6);
    const std::string here = folder.Path().string();
    ::chmod(here.c_str(), 0311);  // may be entered, not listed
    struct Restore {
        std::string path;
        ~Restore() { ::chmod(path.c_str(), 0755); }
    } restore{here};
    if (::access(here.c_str(), R_OK) == 0) GTEST_SKIP() << "this user is not held by permissions";
    bool shown = false;
    RunStartUp(shown);
    EXPECT_TRUE(shown);
    EXPECT_EQ(Form1->FileListBox1->Count(), 0);
    EXPECT_EQ(Form1->FilterComboBox1->Count(), 7);  // the controls after the file list stand too
    ExpectNoFileChosen();
    // No box at start-up: the log names the folder and the reason.
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(Form1->Memo1->Lines(),
              std::vector<std::string>{"Složku \"" + here + "\" nelze přečíst: File access denied."});
}

TEST_F(MainWindow, StartsInAFolderDeletedBeforeStart) {
    delete Form3;
    delete Form2;
    delete Form1;
    const std::filesystem::path gone = folder.Path() / "gone";
    std::filesystem::create_directory(gone);
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);
    Form1 = new TForm1(nullptr);
    Form2 = new TForm2(nullptr);
    Form3 = new TForm3(nullptr);
    bool shown = false;
    RunStartUp(shown);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(std::filesystem::is_directory(Form1->DirectoryListBox1->Directory()));
    ExpectNoFileChosen();
}

// Every control placed on the window itself stands where the form description puts it, with its
// tab order. Auto-sized labels keep only their right edge.
TEST_F(MainWindow, PutsEachComponentWhereItsDescriptionSays) {
    int placed = 0;
    for (const TComponentDesc& c : Form1Description().components) {
        auto* control = dynamic_cast<TControl*>(Form1->FindComponent(c.name));
        if (!c.parent.empty() || !control) continue;  // menus; the preview sized by FormCreate
        SCOPED_TRACE(c.name);
        ++placed;
        const auto autoSize = std::find_if(c.properties.begin(), c.properties.end(),
                                           [](const TPropertyDesc& p) { return p.name == "AutoSize"; });
        if (autoSize != c.properties.end() && std::get<bool>(autoSize->value)) {
            EXPECT_EQ(control->Left() + control->Width(), c.left + c.width);
            EXPECT_EQ(control->Top(), c.top);
        } else {
            EXPECT_EQ(control->BoundsRect(), (TRect{c.left, c.top, c.left + c.width, c.top + c.height}));
        }
        for (const TPropertyDesc& p : c.properties) {
            if (p.name == "TabOrder") {
                EXPECT_EQ(dynamic_cast<TWinControl&>(*control).TabOrder(), std::get<std::int64_t>(p.value));
            }
        }
    }
    EXPECT_GT(placed, 0);
}

TEST_F(MainWindow, LabelsOfTheLabelledEditsStandLeftOfTheirEdits) {
    EXPECT_EQ(Form1->LE1->EditLabel().BoundsRect(), (TRect{311, 140, 389, 153}));
    EXPECT_EQ(Form1->LE2->EditLabel().BoundsRect(), (TRect{461, 204, 565, 217}));
    EXPECT_EQ(Form1->LE3->EditLabel().BoundsRect(), (TRect{326, 172, 389, 185}));
    EXPECT_EQ(Form1->LE1->EditLabel().Caption(), "Původní soubor:");
    EXPECT_EQ(Form1->LE2->EditLabel().Caption(), "JPEG Quality(1..100): ");
    EXPECT_EQ(Form1->LE3->EditLabel().Caption(), "Nový soubor:");
}

TEST_F(MainWindow, LabelTextsFitTheirBoxes) {
    for (TLabeledEdit* edit : {Form1->LE1, Form1->LE2, Form1->LE3})
        EXPECT_LE(edit->EditLabel().TextExtent().width(), edit->EditLabel().Width()) << edit->EditLabel().Caption();
    for (TLabel* label : {Form1->Label3, Form1->Label4})
        EXPECT_LE(label->TextExtent().width(), label->Width()) << label->Caption();
}

TEST_F(MainWindow, ControlsCarryTheirTextsHintsAndCursors) {
    EXPECT_EQ(Form1->Button2->Caption(), "Převeď!");
    EXPECT_TRUE(Form1->Button2->Font().Bold);
    EXPECT_TRUE(Form1->Button2->Widget()->font().bold());
    EXPECT_EQ(Form1->CheckBox1->Caption(), "Černobíle");
    EXPECT_EQ(Form1->CheckBox2->Caption(), "Automaticky přepsat existující soubory");
    EXPECT_EQ(Form1->Konec1->Caption(), "&Konec");
    EXPECT_EQ(Form1->Oprogramu1->Caption(), "O programu...");
    EXPECT_EQ(Form1->Label3->Hint(), "O programu...");
    EXPECT_EQ(Form1->Label3->Cursor(), TCursor::crHandPoint);
    EXPECT_EQ(Form1->Label4->Font().Color, clBlue);
    EXPECT_EQ(Form1->Label4->Hint(), kSiteAddress);
    EXPECT_EQ(Form1->Label4->Cursor(), TCursor::crHandPoint);
    EXPECT_EQ(Form1->Image0->Hint(), "Pro plnou velikost klikněte...");
    EXPECT_EQ(Form1->Image0->Cursor(), TCursor::crHandPoint);
    EXPECT_FALSE(Form1->Img1->Visible());
    EXPECT_EQ(Form1->Image0->Parent(), Form1->Panel1);
    EXPECT_EQ(Form1->Menu(), Form1->MainMenu1);
}

TEST_F(MainWindow, SiteLinkAndLogoHandTheirAddressesToTheBrowser) {
    Form1->Label4->Click();
    Form3->Image1->Click();
    EXPECT_EQ(opened, (std::vector<std::string>{kSiteAddress, kMakerAddress}));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(Form3->Image1->Hint(), kMakerAddress);
}

TEST_F(MainWindow, AboutWindowShowsTheLogoFromItsDescription) {
    EXPECT_EQ(Form3->Caption(), "O programu");
    EXPECT_EQ(Form3->ClientWidget()->size(), QSize(417, 159));
    EXPECT_EQ(Form3->Label1->Caption(), "Obrazor 1.1");
    EXPECT_EQ(Form3->Label1->Font().PixelHeight, 23);
    EXPECT_EQ(Form3->Memo1->LineCount(), 7);
    TGraphic* logo = Form3->Image1->Picture().CurrentGraphic();
    ASSERT_NE(logo, nullptr);
    EXPECT_STREQ(logo->ClassName(), "TBitmap");
    EXPECT_EQ(logo->ImageWidth(), 175);
    EXPECT_EQ(logo->ImageHeight(), 94);
    EXPECT_EQ(Form3->Image1->BoundsRect(), (TRect{224, 32, 399, 126}));
}

TEST_F(MainWindow, MenuAndCreditLineShowTheAboutWindowModally) {
    for (TObject* sender : {static_cast<TObject*>(Form1->Oprogramu1), static_cast<TObject*>(Form1->Label3)}) {
        bool modal = false;
        QTimer::singleShot(0, [&] {
            modal = Form3->Modal() && Form3->Showing();
            Form3->Close();
        });
        if (sender == Form1->Label3) Form1->Label3->Click();
        else Form1->Oprogramu1->Click();
        EXPECT_TRUE(modal);
        EXPECT_FALSE(Form3->Showing());
    }
}

TEST_F(MainWindow, FullSizeViewIsAToolWindowWithAClientImage) {
    EXPECT_EQ(Form2->Caption(), "100% zobrazení");
    EXPECT_TRUE(Form2->Widget()->windowFlags() & Qt::Tool);
    EXPECT_EQ(Form2->Image1->BoundsRect(), (TRect{0, 0, 320, 240}));
    EXPECT_EQ(Form2->Image1->Hint(), "Pro zavření klikněte...");
}

}  // namespace
