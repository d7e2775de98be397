#pragma once
// The widget of a TShape.

#include <QWidget>

class ShapeView : public QWidget {
public:
    QColor fill = Qt::white;
    QColor outline = Qt::black;

protected:
    void paintEvent(QPaintEvent* event) override;
};
