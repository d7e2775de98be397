#pragma once
// The menu bar widget of a form. Reached by keyboard (Alt), its active item is drawn highlighted
// even without a drop-down: an item that Enter would act on is always one the user can see.

#include <QMenuBar>

class MenuBar : public QMenuBar {
public:
    MenuBar() = default;

protected:
    void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;
};
