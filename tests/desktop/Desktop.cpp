#include "Desktop.h"

#include <QApplication>
#include <QThread>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "XSession.h"
#include "support/ProgramWindows.h"
#include "ui/Application.h"
#include "ui/MessageBox.h"

namespace {

XSession* session = nullptr;
std::string unavailable;

// The X server starts before the application, which then talks to it instead of drawing
// offscreen; without a server the application is made offscreen and every test skips.
struct DesktopEnvironment : testing::Environment {
    void SetUp() override {
        session = new XSession;
        if (session->Start(1024, 768, unavailable)) ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        else ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        programwindows::StartApplication();
    }
    void TearDown() override {
        programwindows::StopApplication();
        delete session;
    }
};
const testing::Environment* const environment = testing::AddGlobalTestEnvironment(new DesktopEnvironment);

int Number(const std::string& text, const std::string& label) {
    std::smatch match;
    if (!std::regex_search(text, match, std::regex(label + R"(\s*(-?\d+))"))) return 0;
    return std::stoi(match[1]);
}

std::vector<int> Cardinals(const std::string& text) {
    std::vector<int> values;
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) return values;
    const std::string list = text.substr(equals + 1);
    const std::regex number(R"(-?\d+)");
    for (std::sregex_iterator it(list.begin(), list.end(), number), end; it != end; ++it)
        values.push_back(std::stoi(it->str()));
    return values;
}

}  // namespace

bool DesktopAvailable(std::string& why) {
    why = unavailable;
    return unavailable.empty();
}

void Desktop::SetUp() {
    std::string why;
    if (!DesktopAvailable(why)) GTEST_SKIP() << "no X desktop: " << why;
    previousFolder_ = std::filesystem::current_path().string();
    std::filesystem::current_path(folder.Path());
    MessageBoxHook = [](const std::string&, const std::string&, unsigned flags) {
        return flags == MB_YESNO ? IDNO : IDOK;
    };
    OpenUrlHook = [](const std::string&) {};
    // Options the window remembers go to this test's folder, not the user's settings.
    ::setenv("OBRAZOR_SETTINGS", folder.File("settings.ini").c_str(), 1);
    programwindows::Create();
    Form1->Show();
    ASSERT_TRUE(WaitUntil([] { return !FrameOnScreen(Form1->Widget()).isNull() && Form1->Widget()->isActiveWindow(); }))
        << "the main window was not framed and activated";
}

void Desktop::TearDown() {
    if (!Form1) return;
    programwindows::Destroy();
    MessageBoxHook = nullptr;
    ::unsetenv("OBRAZOR_SETTINGS");
    std::filesystem::current_path(previousFolder_);
}

std::string Desktop::Picture(const std::string& name, int width, int height) {
    const std::string path = folder.File(name);
    TBitmap bitmap;
    bitmap.ResizeWidth(width);
    bitmap.ResizeHeight(height);
    programwindows::WritePicture(bitmap, path);
    return path;
}

void Desktop::ShowFullSize(const std::string& path) {
    Form1->LE1->SetText(path);
    Form1->Image0Click(Form1->Image0);
}

bool WaitUntil(const std::function<bool()>& done, int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(20);
    }
    return true;
}

std::string WindowId(const QWidget* window) {
    char id[32];
    std::snprintf(id, sizeof id, "0x%llx", static_cast<unsigned long long>(window->winId()));
    return id;
}

std::string Property(const std::string& id, const std::string& name) {
    return XCommand("xprop " + (id.empty() ? std::string("-root") : "-id " + id) + " " + name);
}

QRect FrameOnScreen(const QWidget* window) {
    const std::string id = WindowId(window);
    const std::vector<int> extents = Cardinals(Property(id, "_NET_FRAME_EXTENTS"));  // left, right, top, bottom
    if (extents.size() != 4) return {};
    const std::string info = XCommand("xwininfo -id " + id);
    const QRect client(Number(info, "Absolute upper-left X:"), Number(info, "Absolute upper-left Y:"),
                       Number(info, "Width:"), Number(info, "Height:"));
    return client.marginsAdded(QMargins(extents[0], extents[2], extents[1], extents[3]));
}

QRect SettledFrame(const QWidget* window) {
    QRect last = FrameOnScreen(window);
    int steady = 0;
    WaitUntil([&] {
        const QRect now = FrameOnScreen(window);
        steady = now == last && !now.isNull() ? steady + 1 : 0;
        last = now;
        return steady >= 5;
    });
    return last;
}

QRect WorkArea() {
    const std::vector<int> area = Cardinals(Property("", "_NET_WORKAREA"));
    if (area.size() < 4) return {};
    return {area[0], area[1], area[2], area[3]};
}
