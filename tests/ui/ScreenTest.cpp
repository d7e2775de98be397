#include "ui/Screen.h"

#include <gtest/gtest.h>

#include <QApplication>

namespace {

TEST(Screen, BusyCursorCoversTheApplicationUntilItIsTakenBack) {
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    Screen().SetCursor(TCursor::crHourGlass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen().SetCursor(TCursor::crHourGlass);  // a second busy cursor does not stack
    Screen().SetCursor(TCursor::crDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Screen().Cursor(), TCursor::crDefault);
}

}  // namespace
