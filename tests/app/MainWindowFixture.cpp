#include "MainWindowFixture.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <QPushButton>

#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/conversion/OutputPath.h"
#include "filectrl/FileListBox.h"
#include "graphics/Bitmap.h"
#include "graphics/Streams.h"
#include "jpeg/JPEGImage.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"
#include "support/ProgramWindows.h"

namespace {

struct ProgramEnvironment : testing::Environment {
    void SetUp() override { programwindows::StartApplication(); }
    void TearDown() override { programwindows::StopApplication(); }
};
const testing::Environment* const environment = testing::AddGlobalTestEnvironment(new ProgramEnvironment);

// A picture with some structure: a colour ramp, so scaled outputs differ from flat ones.
void Paint(TBitmap& bitmap, int width, int height) {
    bitmap.ResizeWidth(width);
    bitmap.ResizeHeight(height);
    for (int y = 0; y < std::min(height, 8); ++y)
        for (int x = 0; x < std::min(width, 8); ++x)
            bitmap.Canvas().SetPixelAt(x, y, TColor(platform::RGB(std::uint8_t(x * 30), std::uint8_t(y * 30), 90)));
}

}  // namespace

void MainWindow::SetUp() {
    previousFolder_ = std::filesystem::current_path().string();
    std::filesystem::current_path(folder.Path());
    MessageBoxHook = [this](const std::string& text, const std::string& caption, unsigned flags) {
        asked.push_back({text, caption, flags});
        if (answers.empty()) return flags == MB_YESNO ? IDNO : IDOK;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    };
    OpenUrlHook = [this](const std::string& address) { opened.push_back(address); };
    // Options the window remembers go to this test's folder, not the user's settings.
    setenv("OBRAZOR_SETTINGS", folder.File("settings.ini").c_str(), 1);
    programwindows::Create();
}

void MainWindow::TearDown() {
    programwindows::Destroy();
    MessageBoxHook = nullptr;
    unsetenv("OBRAZOR_SETTINGS");
    std::filesystem::current_path(previousFolder_);
}

std::string MainWindow::Picture(const std::string& name, int width, int height) {
    const std::string path = folder.File(name);
    TBitmap bitmap;
    Paint(bitmap, width, height);
    programwindows::WritePicture(bitmap, path);
    return path;
}

void MainWindow::Preview(const std::string& path) {
    Form1->LE1->SetText(path);
    Form1->LE3->SetText(OutputPathFor(path));
    Form1->Button2Click(Form1->FileListBox1);
}

void MainWindow::Save(const std::string& path) {
    Form1->LE1->SetText(path);
    Form1->LE3->SetText(OutputPathFor(path));
    Form1->Button2Click(Form1->Button2);
}

void MainWindow::ClickConvert() { static_cast<QPushButton*>(Form1->Button2->Widget())->click(); }

void MainWindow::ExpectNoFileChosen() {
    EXPECT_EQ(Form1->LE1->Text(), "");
    EXPECT_EQ(Form1->LE3->Text(), "");
    EXPECT_EQ(Form1->Label1->Caption(), "Výška: -");
    EXPECT_EQ(Form1->Label2->Caption(), "Šířka: -");
    EXPECT_EQ(Form1->Panel1->Caption(), "Náhled");
    EXPECT_EQ(Form1->Image0->Width(), 0);
    EXPECT_EQ(Form1->Image0->Height(), 0);
    EXPECT_EQ(Form1->Image0->Picture().CurrentGraphic(), nullptr);
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

JpegFrame ReadJpegFrame(const std::string& path) {
    const std::string bytes = FileBytes(path);
    auto byte = [&](std::size_t i) { return i < bytes.size() ? int(std::uint8_t(bytes[i])) : -1; };
    // Walk the marker segments from SOI to the first baseline or progressive frame header.
    for (std::size_t i = 2; i + 9 < bytes.size();) {
        if (byte(i) != 0xFF) return {};
        const int marker = byte(i + 1);
        const std::size_t length = std::size_t(byte(i + 2) << 8 | byte(i + 3));
        if (marker == 0xC0 || marker == 0xC2)
            return {byte(i + 7) << 8 | byte(i + 8), byte(i + 5) << 8 | byte(i + 6), byte(i + 9)};
        i += 2 + length;
    }
    return {};
}
