#pragma once
// Enter or Space on a widget that has the keyboard runs an action, as they press a button.

#include <QWidget>
#include <functional>

// The action runs through the event dispatch; the filter lives as long as the widget.
void ActivateByKeyboard(QWidget* widget, std::function<void()> action);
