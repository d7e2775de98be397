#include "ui/Screen.h"

#include <QApplication>

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

void TScreen::SetCursor(TCursor value) {
    if (value == cursor_) return;
    if (cursor_ != TCursor::crDefault && QApplication::instance()) QApplication::restoreOverrideCursor();
    cursor_ = value;
    if (cursor_ != TCursor::crDefault && QApplication::instance()) QApplication::setOverrideCursor(ToQtCursor(cursor_));
}
