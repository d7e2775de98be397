#include "ui/PanelView.h"

#include <QPainter>

namespace {

// Drawn above the panel's children (a preview fills most of it); lets the mouse through.
class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QWidget* panel) : QWidget(panel) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

}  // namespace

PanelView::PanelView() : focusFrame_(new FocusFrame(this)) {}

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

void PanelView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    focusFrame_->setGeometry(rect());
    focusFrame_->raise();
    focusFrame_->show();
}

void PanelView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    focusFrame_->hide();
}

void PanelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    focusFrame_->setGeometry(rect());
}
