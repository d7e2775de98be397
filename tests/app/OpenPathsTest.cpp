// Pictures and folders named on the program's command line, opened in the shown window.

#include <filesystem>

#include <QImage>

#include "MainWindowFixture.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/FileListBox.h"

namespace {

struct OpenCase {
    const char* name;
    std::vector<std::string> paths;  // relative ones from the working folder, as a shell gives them
    const char* folderAfter;         // relative to the working folder; empty for the folder itself
    const char* chosen;              // the file selected afterwards; empty for none
};

class OpenFromCommandLine : public MainWindow, public testing::WithParamInterface<OpenCase> {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        std::filesystem::create_directories(folder.Path() / "sub" / "inner");
        Picture("a.jpg", 320, 240);
        Picture("sub/c.bmp", 320, 240);
        QImage png(64, 48, QImage::Format_RGB32);
        png.fill(Qt::darkGreen);
        png.save(QString::fromStdString(folder.File("sub/d.png")), "PNG");
        std::filesystem::copy_file(folder.File("a.jpg"), folder.File("notes.txt"));
        Form1->Show();  // the lists fill themselves first, as at start-up
    }
    void TearDown() override {
        Form1->Hide();
        MainWindow::TearDown();
    }
};

TEST_P(OpenFromCommandLine, ListsTheFolderAndSelectsTheFirstPicture) {
    const OpenCase& c = GetParam();
    Form1->OpenPaths(c.paths);
    const std::string folderAfter = *c.folderAfter ? folder.File(c.folderAfter) : folder.Path().string();
    EXPECT_EQ(Form1->DirectoryListBox1->Directory(), folderAfter);
    EXPECT_EQ(Form1->FileListBox1->Directory(), folderAfter);
    if (*c.chosen) {
        EXPECT_EQ(Form1->FileListBox1->FileName(), folder.File(c.chosen));
        EXPECT_EQ(Form1->LE1->Text(), folder.File(c.chosen));
    } else {
        ExpectNoFileChosen();
    }
    EXPECT_TRUE(asked.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, OpenFromCommandLine,
    testing::Values(OpenCase{"RelativePicture", {"sub/c.bmp"}, "sub", "sub/c.bmp"},
                    OpenCase{"PictureTheFilterHides", {"sub/d.png", "sub/c.bmp"}, "sub", "sub/d.png"},
                    OpenCase{"PathThroughParent", {"sub/inner/../c.bmp"}, "sub", "sub/c.bmp"},
                    OpenCase{"FolderWithSlash", {"sub/inner/"}, "sub/inner", ""},
                    OpenCase{"GoneAndNotAPictureArePassedOver", {"gone.jpg", "notes.txt", "a.jpg"}, "", "a.jpg"},
                    OpenCase{"NothingUsable", {"gone.jpg"}, "", ""}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
