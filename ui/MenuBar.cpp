#include "ui/MenuBar.h"

#include <QStyleOptionMenuItem>

// Styles draw a bar item highlighted only while it is pressed or its drop-down is open; in the
// keyboard mode the bar holds the focus and its active item gets the pressed look.
void MenuBar::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
    QMenuBar::initStyleOption(option, action);
    if (action && action == activeAction() && hasFocus())
        option->state |= QStyle::State_Selected | QStyle::State_Sunken;
}
