// The window by keyboard: keys on the convert button, Escape on the two other windows, and a
// press of the button queued while a conversion runs.

#include <filesystem>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "MainWindowFixture.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/conversion/OutputPath.h"

namespace {

void SendKey(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

// A left click on the widget's middle, queued as the window system queues it.
void PostClick(QWidget* widget) {
    const QPointF middle = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(middle);
    QApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, middle, global, Qt::LeftButton,
                                                    Qt::LeftButton, Qt::NoModifier));
    QApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonRelease, middle, global, Qt::LeftButton,
                                                    Qt::NoButton, Qt::NoModifier));
}

class Keyboard : public MainWindow, public testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        Form1->Show();
        source = Picture("auto.bmp", 320, 240);
        Preview(source);
    }
    void TearDown() override {
        Form2->Hide();
        Form1->Hide();
        MainWindow::TearDown();
    }
    std::string source;
};

TEST_P(Keyboard, KeyOnTheFocusedConvertButtonConverts) {
    SendKey(Form1->Button2->Widget(), GetParam());
    EXPECT_EQ(Form1->Memo1->Lines(), std::vector<std::string>{"Nové rozměry: 640 x 480"});
    EXPECT_EQ(ReadJpegFrame(OutputPathFor(source)).height, 480);
}

INSTANTIATE_TEST_SUITE_P(Keys, Keyboard, testing::Values(Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space),
                         [](const testing::TestParamInfo<int>& key) {
                             return key.param == Qt::Key_Return  ? std::string("Return")
                                    : key.param == Qt::Key_Enter ? std::string("KeypadEnter")
                                                                 : std::string("Space");
                         });

TEST_F(Keyboard, EnterOnThePreviewOpensTheViewAndEscapeClosesIt) {
    ASSERT_TRUE(Form1->Panel1->Widget()->focusPolicy() & Qt::TabFocus);
    SendKey(Form1->Panel1->Widget(), Qt::Key_Return);
    ASSERT_TRUE(Form2->Showing());
    EXPECT_EQ(Form2->Caption(), "100% zobrazení: 320 x 240");
    SendKey(Form2->Image1->Widget(), Qt::Key_Escape);
    EXPECT_FALSE(Form2->Showing());
    EXPECT_TRUE(Form1->Showing());
}

TEST_F(Keyboard, PanelWithoutAPreviewOpensNothing) {
    Preview(folder.File("missing.bmp.txt"));  // unknown extension: the window is reset
    SendKey(Form1->Panel1->Widget(), Qt::Key_Space);
    EXPECT_FALSE(Form2->Showing());
    EXPECT_TRUE(asked.empty());
}

TEST_F(Keyboard, EscapeOnTheFocusedMemoClosesTheAboutWindow) {
    bool escaped = false;
    QTimer::singleShot(0, [&] {
        SendKey(Form3->Memo1->Widget(), Qt::Key_Escape);
        escaped = !Form3->Showing();
        if (!escaped) Form3->Close();
    });
    Form1->Oprogramu1->Click();
    EXPECT_TRUE(escaped);
}

TEST_F(Keyboard, EscapeLeavesTheMainWindowOpen) {
    SendKey(Form1->Button2->Widget(), Qt::Key_Escape);
    EXPECT_TRUE(Form1->Showing());
}

// A second press while the first conversion runs reaches the window only when the first has
// ended; it must not convert again (and ask about the file the first has just written).
TEST_F(Keyboard, PressQueuedDuringAConversionIsDropped) {
    QWidget* button = Form1->Button2->Widget();
    PostClick(button);
    QApplication::processEvents();
    ASSERT_EQ(Form1->Memo1->LineCount(), 1) << "a queued click converts when nothing runs";
    std::filesystem::remove(OutputPathFor(source));
    Form1->Memo1->Clear();

    PostClick(button);
    ClickConvert();
    QApplication::processEvents();
    EXPECT_TRUE(asked.empty()) << asked.front().text;
    EXPECT_EQ(Form1->Memo1->Lines(), std::vector<std::string>{"Nové rozměry: 640 x 480"});
    PostClick(button);  // once the conversion has ended, the button works again
    QApplication::processEvents();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "Nahradit?");
}

}  // namespace
