// Files dropped on the main window, delivered as the window system would: a picture file moves
// the lists to it and selects it (the preview follows), a folder is opened, anything else is
// refused and changes nothing.

#include <filesystem>
#include <vector>

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QUrl>

#include "MainWindowFixture.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"

namespace {

struct DropCase {
    const char* name;
    std::vector<const char*> dropped;  // paths in the working folder, or addresses with a scheme
    bool accepted;
    const char* folderAfter;  // relative to the working folder; empty for the folder itself
    const char* chosen;       // the file selected afterwards; empty for none
};

class DropOnWindow : public MainWindow, public testing::WithParamInterface<DropCase> {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        std::filesystem::create_directory(folder.Path() / "sub");
        Picture("a.bmp", 320, 240);
        Picture("sub/c.bmp", 320, 240);
        QImage png(320, 240, QImage::Format_RGB32);
        png.fill(Qt::darkGreen);
        png.save(QString::fromStdString(folder.File("sub/d.png")), "PNG");
        std::filesystem::copy_file(folder.File("a.bmp"), folder.File("notes.txt"));
        Form1->Show();
        Form1->FilterComboBox1->SetItemIndex(2);  // "Fotografie BMP (*.bmp)"
    }
    void TearDown() override {
        Form1->Hide();
        MainWindow::TearDown();
    }

    // Drags the paths over the window, or over one of its widgets, and drops them; whether the
    // drop was taken.
    bool Drop(const std::vector<const char*>& paths, QWidget* target = nullptr) {
        QMimeData data;
        QList<QUrl> urls;
        for (const char* path : paths)
            urls.push_back(std::string(path).find("://") != std::string::npos
                               ? QUrl(path)
                               : QUrl::fromLocalFile(QString::fromStdString(folder.File(path))));
        data.setUrls(urls);
        // File managers also give the addresses as plain text, which text fields would take.
        QStringList text;
        for (const QUrl& url : urls) text << url.toString();
        data.setText(text.join('\n'));
        QWidget* window = target ? target : Form1->Widget();
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        return drop.isAccepted();
    }
};

TEST_P(DropOnWindow, SelectsPicturesOpensFoldersRefusesTheRest) {
    const DropCase& c = GetParam();
    EXPECT_EQ(Drop(c.dropped), c.accepted);
    EXPECT_EQ(Form1->DirectoryListBox1->Directory(),
              *c.folderAfter ? folder.File(c.folderAfter) : folder.Path().string());
    EXPECT_EQ(Form1->FileListBox1->Directory(), Form1->DirectoryListBox1->Directory());
    if (*c.chosen) {
        EXPECT_EQ(Form1->FileListBox1->FileName(), folder.File(c.chosen));
        EXPECT_EQ(Form1->LE1->Text(), folder.File(c.chosen));
        EXPECT_EQ(Form1->Label1->Caption(), "Výška: 240");
        EXPECT_EQ(Form1->Image0->Width(), 160);
    } else {
        ExpectNoFileChosen();
    }
    EXPECT_TRUE(asked.empty());
}

// A text field takes no dropped file as text: a picture is the window's drop, a refused file is
// refused there too.
TEST_F(DropOnWindow, FileOnATextFieldIsTheWindowsDrop) {
    QWidget* field = Form1->LE2->Widget();
    EXPECT_FALSE(Drop({"notes.txt"}, field));
    ExpectNoFileChosen();
    EXPECT_TRUE(Drop({"sub/c.bmp"}, field));
    EXPECT_EQ(Form1->FileListBox1->FileName(), folder.File("sub/c.bmp"));
    EXPECT_EQ(Form1->LE1->Text(), folder.File("sub/c.bmp"));
    EXPECT_EQ(Form1->LE2->Text(), "75");
    EXPECT_TRUE(asked.empty());
}

// Several pictures of one folder are all selected, under all files when the type hides one; the
// first dropped is previewed.
TEST_F(DropOnWindow, SeveralPicturesAreAllSelected) {
    EXPECT_TRUE(Drop({"sub/d.png", "sub/c.bmp"}));
    EXPECT_EQ(Form1->FilterComboBox1->Mask(), "*.*");
    EXPECT_EQ(Form1->FileListBox1->SelectedFiles(),
              (std::vector<std::string>{folder.File("sub/c.bmp"), folder.File("sub/d.png")}));
    EXPECT_EQ(Form1->LE1->Text(), folder.File("sub/d.png"));
    EXPECT_EQ(Form1->Memo1->Lines().back(), "Vybráno souborů: 2");
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DropOnWindow,
    testing::Values(DropCase{"PictureInAnotherFolder", {"sub/c.bmp"}, true, "sub", "sub/c.bmp"},
                    DropCase{"PictureTheFilterHides", {"sub/d.png"}, true, "sub", "sub/d.png"},
                    DropCase{"Folder", {"sub"}, true, "sub", ""},
                    DropCase{"FirstPictureOfSeveral", {"notes.txt", "sub/c.bmp", "a.bmp"}, true, "sub", "sub/c.bmp"},
                    DropCase{"NotAPicture", {"notes.txt"}, false, "", ""},
                    DropCase{"VanishedPicture", {"gone.bmp"}, false, "", ""},
                    DropCase{"WebAddress", {"https://www.lumovar.example/a.jpg"}, false, "", ""}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
