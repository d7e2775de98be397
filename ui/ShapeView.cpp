#include "ui/ShapeView.h"

#include <QPainter>

void ShapeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), fill);
    painter.setPen(outline);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
