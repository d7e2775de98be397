#pragma once
// The widget of a TPanel: face colour, raised bevel, centred caption.

#include <QWidget>

class PanelView : public QWidget {
public:
    QString caption;
    QColor face;

protected:
    void paintEvent(QPaintEvent* event) override;
};
