#include "ui/PanelView.h"

#include <QPainter>

void PanelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, face);
    // Raised: light on the top and left edges, shadow on the bottom and right.
    painter.setPen(Qt::white);
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawLine(area.topLeft(), area.bottomLeft());
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomRight());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, caption);
}
