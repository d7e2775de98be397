#pragma once
// The user's hands on a list view, delivered as the window system would deliver them: clicks
// with or without Ctrl and Shift, and keys.

#include <QApplication>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>

namespace gestures {

inline void Click(QListView& view, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF at = view.visualRect(view.model()->index(row, 0)).center();
    const QPointF global = view.viewport()->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, modifiers);
    QApplication::sendEvent(view.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(view.viewport(), &release);
}

inline void Key(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(&widget, &release);
}

}  // namespace gestures
