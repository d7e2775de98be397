#include <gtest/gtest.h>

#include <ostream>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

#include "graphics/Exceptions.h"
#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Dispatch.h"
#include "ui/Form.h"
#include "ui/MessageBox.h"

namespace {

struct FullStopCase {
    const char* message;
    const char* shown;
    friend std::ostream& operator<<(std::ostream& out, const FullStopCase& c) { return out << '"' << c.message << '"'; }
};

class FullStopRule : public testing::TestWithParam<FullStopCase> {};

TEST_P(FullStopRule, AddsAFullStopAfterCharactersAboveIt) {
    EXPECT_EQ(ExceptionBoxText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Table, FullStopRule,
                         testing::Values(FullStopCase{"", ""},  // empty stays empty
                                         FullStopCase{"Stream read error", "Stream read error."},
                                         FullStopCase{"Done.", "Done."},          // "." is not above "."
                                         FullStopCase{"a-", "a-"},                // "-" (45) is below "." (46)
                                         FullStopCase{"a/", "a/."},               // "/" (47) is above
                                         FullStopCase{"Really!", "Really!"},      // "!" (33)
                                         FullStopCase{"(x)", "(x)"},              // ")" (41)
                                         FullStopCase{"trailing ", "trailing "},  // space (32)
                                         FullStopCase{"9", "9."},                 // digits are above
                                         FullStopCase{"x\n", "x\n"},              // a line break is below
                                         FullStopCase{"výška", "výška."},         // a UTF-8 letter's last byte is above
                                         FullStopCase{"Cannot open file \"a.jpg\". No such file or directory",
                                                      "Cannot open file \"a.jpg\". No such file or directory."}));

struct Box {
    std::string text, caption;
    unsigned flags = 0;
};

class DefaultHandler : public testing::Test {
protected:
    void SetUp() override {
        TApplication::Initialize();
        Application->SetTitle("Lumovar");
        MessageBoxHook = [this](const std::string& text, const std::string& caption, unsigned flags) {
            boxes.push_back({text, caption, flags});
            return IDOK;
        };
    }
    void TearDown() override { MessageBoxHook = nullptr; }
    std::vector<Box> boxes;
};

TEST_F(DefaultHandler, ShowsTheMessageInAStopBoxCaptionedWithTheTitle) {
    ui::Dispatch([] { throw EInvalidGraphic("Bitmap image is not valid"); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Bitmap image is not valid.");
    EXPECT_EQ(boxes[0].caption, "Lumovar");
    EXPECT_EQ(boxes[0].flags, MB_OK | MB_ICONSTOP);
}

TEST_F(DefaultHandler, AbortShowsNothing) {
    ui::Dispatch([] { throw EAbort(); });
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DefaultHandler, ForeignFailuresShowTheirText) {
    ui::Dispatch([] { throw std::runtime_error("bad thing"); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "bad thing.");
}

TEST_F(DefaultHandler, OutOfMemoryIsReported) {
    ui::Dispatch([] { throw std::bad_alloc(); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Out of memory.");
}

TEST_F(DefaultHandler, CatchesAFailureOfAClickHandlerAndGoesOn) {
    TForm form(nullptr);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    int clicks = 0;
    button->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, button);
        ++clicks;
        throw EInvalidOperation("Canvas does not allow drawing");
    };
    auto* widget = static_cast<QPushButton*>(button->Widget());
    widget->click();
    widget->click();
    EXPECT_EQ(clicks, 2);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Canvas does not allow drawing.");
}

TEST_F(DefaultHandler, MessageBoxGoesToTheHookAndReturnsItsAnswer) {
    MessageBoxHook = [](const std::string&, const std::string&, unsigned flags) {
        return flags == MB_YESNO ? IDYES : IDNO;
    };
    EXPECT_EQ(MessageBox("?", "Q", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBox("?", "Q", MB_OK), IDNO);
}

// The box itself, on the screen: the answers read in Czech, Enter says Yes, Escape says No.
struct Answers {
    unsigned flags;
    std::vector<QString> buttons;  // as shown, mnemonic marks removed
    int key;                       // pressed while the box is open
    int answer;
};

class OnScreenBox : public testing::TestWithParam<Answers> {};

TEST_P(OnScreenBox, AnswersInCzech) {
    const Answers& a = GetParam();
    std::vector<QString> shown;
    QTimer::singleShot(0, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(window);
            if (!box || !box->isVisible()) continue;
            for (QAbstractButton* button : box->buttons()) shown.push_back(button->text().remove('&'));
            QKeyEvent press(QEvent::KeyPress, a.key, Qt::NoModifier);
            QApplication::sendEvent(box, &press);
        }
    });
    EXPECT_EQ(MessageBox("Soubor existuje. Přepsat?", "Lumovar", a.flags), a.answer);
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, a.buttons);
}

INSTANTIATE_TEST_SUITE_P(Boxes, OnScreenBox,
                         testing::Values(Answers{MB_YESNO, {"Ano", "Ne"}, Qt::Key_Return, IDYES},
                                         Answers{MB_YESNO, {"Ano", "Ne"}, Qt::Key_Escape, IDNO},
                                         Answers{MB_OK | MB_ICONSTOP, {"OK"}, Qt::Key_Return, IDOK}));

}  // namespace
