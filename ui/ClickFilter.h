#pragma once
// Turns a left-button release inside a widget into its control's Click.

#include <QObject>

class TControl;

class ClickFilter : public QObject {
public:
    explicit ClickFilter(TControl* control) : control_(control) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TControl* control_;
};
