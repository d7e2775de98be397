#include "ui/ClickFilter.h"

#include <QMouseEvent>
#include <QWidget>

#include "ui/Control.h"
#include "ui/Dispatch.h"

bool ClickFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (mouse->button() != Qt::LeftButton || !widget) return false;
    if (!widget->rect().contains(mouse->position().toPoint())) return false;
    ui::Dispatch([this] { control_->Click(); });
    return false;
}
