#include <filesystem>

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
    Form1->FilterComboBox1->SetItemIndex(5);  // all files: the same files are listed again
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
    // A click on the view closes it; the next showing keeps its place and takes the new size.
    const QPoint place = Form2->Widget()->pos();
    Form2->Image1->Click();
    EXPECT_FALSE(Form2->Showing());
    Form1->FileListBox1->SetItemIndex(0);
    Form1->Image0->Click();
    EXPECT_EQ(Form2->Widget()->pos(), place);
    EXPECT_EQ(Form2->Caption(), "100% zobrazení: 640 x 300");
    EXPECT_EQ(Form2->ClientWidget()->size(), QSize(640, 300));
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
