// The file manager's conversion: the small window runs the real obrazor-convert and shows which
// pictures were written and which failed, with the reason.

#include <filesystem>
#include <fstream>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "MainWindowFixture.h"
#include "app/ConvertProgressWindow.h"

namespace {

// Bounded: a tool that hangs fails the test instead of holding it.
void WaitUntilFinished(const ConvertProgressWindow& window) {
    QElapsedTimer clock;
    clock.start();
    while (!window.Finished() && clock.elapsed() < 60000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool AnyContains(const QStringList& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const QString& line) { return line.contains(QString::fromStdString(text)); });
}

using ConvertProgress = MainWindow;

TEST_F(ConvertProgress, ListsWrittenAndFailedPicturesAndEndsWithTheVerdict) {
    const std::string good = Picture("auto.bmp", 1600, 1200);
    std::ofstream(folder.File("broken.jpg")) << "not a picture";
    ConvertProgressWindow window(OBRAZOR_CONVERT_PROGRAM);
    window.Start({good, folder.File("broken.jpg")});
    WaitUntilFinished(window);
    ASSERT_TRUE(window.Finished());
    EXPECT_EQ(window.Status(), 1);
    EXPECT_TRUE(std::filesystem::exists(folder.File("auto.LMV.jpg")));
    EXPECT_TRUE(AnyContains(window.Lines(), folder.File("auto.LMV.jpg")));
    ASSERT_EQ(window.FailedLines().size(), 1);
    EXPECT_TRUE(window.FailedLines()[0].startsWith(QString::fromStdString(folder.File("broken.jpg") + ": ")));
    EXPECT_TRUE(window.Headline().contains("nepodařilo"));
}

TEST_F(ConvertProgress, AllWrittenSaysSo) {
    const std::string good = Picture("-auto.bmp", 640, 300);  // a name like an option
    ConvertProgressWindow window(OBRAZOR_CONVERT_PROGRAM);
    window.Start({good});
    WaitUntilFinished(window);
    EXPECT_EQ(window.Status(), 0);
    EXPECT_TRUE(window.FailedLines().isEmpty());
    EXPECT_TRUE(std::filesystem::exists(folder.File("-auto.LMV.jpg")));
    EXPECT_TRUE(window.Headline().startsWith("Hotovo"));
}

TEST_F(ConvertProgress, ToolThatCannotStartIsShownNotWaitedFor) {
    ConvertProgressWindow window(QString::fromStdString(folder.File("no-such-tool")));
    window.Start({Picture("auto.bmp", 320, 240)});
    WaitUntilFinished(window);
    ASSERT_TRUE(window.Finished());
    EXPECT_EQ(window.Status(), -1);
    EXPECT_TRUE(AnyContains(window.Lines(), "no-such-tool"));
    EXPECT_FALSE(std::filesystem::exists(folder.File("auto.LMV.jpg")));
}

}  // namespace
