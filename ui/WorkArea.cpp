#include "ui/WorkArea.h"

#include <algorithm>

QRect FitIntoWorkArea(const QRect& frame, const QRect& area) {
    if (area.isEmpty()) return frame;
    const QSize size = frame.size().boundedTo(area.size());
    const int left = std::clamp(frame.left(), area.left(), area.left() + area.width() - size.width());
    const int top = std::clamp(frame.top(), area.top(), area.top() + area.height() - size.height());
    return {QPoint(left, top), size};
}
