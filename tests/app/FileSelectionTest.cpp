#include <filesystem>

#include <QGuiApplication>
#include <QScreen>

#include "MainWindowFixture.h"
#include "app/Unit2.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "graphics/Exceptions.h"
#include "ui/Application.h"

namespace {

class FileSelection : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        Picture("b.bmp", 320, 240);
        Picture("a.bmp", 640, 300);
        Form1->Show();
        Form1->FilterComboBox1->SetItemIndex(2);  // "Fotografie BMP (*.bmp)"
    }
    void TearDown() override {
        Form2->Hide();
        Form1->Hide();
        MainWindow::TearDown();
    }
};

TEST_F(FileSelection, ChoosingAFileFillsThePathsAndPreviews) {
    ASSERT_EQ(Form1->FileListBox1->Count(), 2);
    Form1->FileListBox1->SetItemIndex(1);  // b.bmp, sorted after a.bmp
    const std::string source = folder.File("b.bmp");
    EXPECT_EQ(Form1->LE1->Text(), source);
    EXPECT_EQ(Form1->LE3->Text(), folder.File("b.LMV.jpg"));
    EXPECT_EQ(Form1->Panel1->Caption(), "");
    EXPECT_EQ(Form1->Label1->Caption(), "Výška: 240");
    EXPECT_EQ(Form1->Image0->Width(), 160);
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.File("b.LMV.jpg")));
}

TEST_F(FileSelection, ChangingTheFilterResetsTheWindow) {
    Form1->FileListBox1->SetItemIndex(0);
    ASSERT_EQ(Form1->Label1->Caption(), "Výška: 300");
    Form1->FilterComboBox1->SetItemIndex(6);  // all files: the same files are listed again
    ExpectNoFileChosen();
}

TEST_F(FileSelection, ClickOnThePreviewShowsThePictureAtFullSize) {
    Form1->FileListBox1->SetItemIndex(1);
    Form1->Image0->Click();
    EXPECT_TRUE(Form2->Showing());
    EXPECT_FALSE(Form2->Modal());
    EXPECT_EQ(Form2->ClientWidget()->size(), QSize(320, 240));
    EXPECT_EQ(Form2->Image1->BoundsRect(), (TRect{0, 0, 320, 240}));
    EXPECT_EQ(Form2->Caption(), "100% zobrazení: 320 x 240");
    EXPECT_EQ(Form2->Image1->Picture().ImageWidth(), 320);
    // A click on the view closes it; the next showing keeps the place where the user left it
    // and takes the new size.
    Form2->SetBounds(10, 20, Form2->Width(), Form2->Height());
    const QPoint place = Form2->Widget()->pos();
    Form2->Image1->Click();
    EXPECT_FALSE(Form2->Showing());
    Form1->FileListBox1->SetItemIndex(0);
    Form1->Image0->Click();
    EXPECT_EQ(Form2->Widget()->pos(), place);
    EXPECT_EQ(Form2->Caption(), "100% zobrazení: 640 x 300");
    EXPECT_EQ(Form2->ClientWidget()->size(), QSize(640, 300));
}

TEST_F(FileSelection, FullSizeViewOfALargePictureStaysOnTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize large(area.width() + 400, area.height() + 300);
    Form1->LE1->SetText(Picture("velky.bmp", large.width(), large.height()));
    Form1->Image0->Click();
    EXPECT_EQ(Form2->Widget()->frameGeometry().topLeft(), area.topLeft());
    EXPECT_TRUE(area.contains(Form2->Widget()->frameGeometry()));
    EXPECT_EQ(Form2->ClientWidget()->size(), large);  // the window shows the picture's top-left part
    // Left partly off the screen, the next view comes back whole.
    Form2->Close();
    Form2->SetBounds(area.right() - 10, area.bottom() - 10, Form2->Width(), Form2->Height());
    Form1->LE1->SetText(folder.File("b.bmp"));
    Form1->Image0->Click();
    EXPECT_TRUE(area.contains(Form2->Widget()->frameGeometry()));
    EXPECT_EQ(Form2->ClientWidget()->size(), QSize(320, 240));
    EXPECT_EQ(Form2->Widget()->size(), QSize(320, 240));
}

TEST_F(FileSelection, PreviewOfAVanishedSourceKeepsTheViewAsItWas) {
    Form1->FileListBox1->SetItemIndex(1);
    Form1->Image0->Click();
    Form2->Close();
    std::filesystem::remove(folder.File("b.bmp"));
    EXPECT_THROW(Form1->Image0->Click(), EFOpenError);
    EXPECT_FALSE(Form2->Showing());
    EXPECT_EQ(Form2->Caption(), "100% zobrazení: 320 x 240");
    EXPECT_EQ(Form2->Image1->Picture().ImageWidth(), 320);
}

TEST_F(FileSelection, ClosingTheMainWindowEndsTheProgramWhileTheViewIsShown) {
    Form1->FileListBox1->SetItemIndex(1);
    Form1->Image0->Click();
    Form1->Konec1->Click();
    EXPECT_FALSE(Form1->Showing());
    EXPECT_TRUE(Application->Terminated());
}

}  // namespace
