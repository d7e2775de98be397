// Where the keyboard is must show in every control that takes it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include "ui/Button.h"
#include "ui/Form.h"
#include "ui/Memo.h"

namespace {

TEST(Focus, ReadOnlyMemoHighlightsItsFrameWhileItHasTheKeyboard) {
    TForm form(nullptr);
    form.SetClientWidth(200);
    form.SetClientHeight(100);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetBounds(8, 8, 150, 60);
    memo->SetReadOnly(true);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    button->SetBounds(8, 72, 50, 20);
    form.Show();
    QApplication::setActiveWindow(form.Widget());
    button->SetFocus();
    const auto leftEdge = [memo] {
        const QImage image = memo->Widget()->grab().toImage();
        return image.pixelColor(0, image.height() / 2);
    };
    const QColor highlight = memo->Widget()->palette().color(QPalette::Highlight);
    EXPECT_NE(leftEdge(), highlight);
    memo->SetFocus();
    ASSERT_TRUE(memo->Widget()->hasFocus());
    EXPECT_EQ(leftEdge(), highlight);
    form.Hide();
}

}  // namespace
