#pragma once
// The widget of a TPanel: face colour, raised bevel, centred caption. While it has the keyboard
// a frame in the highlight colour lies over it and over whatever it holds.

#include <QWidget>

class PanelView : public QWidget {
public:
    PanelView();

    QString caption;
    QColor face;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* focusFrame_;
};
