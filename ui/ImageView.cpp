#include "ui/ImageView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <exception>

#include "graphics/Picture.h"
#include "ui/Dispatch.h"
#include "ui/GraphicRenderer.h"

void ImageView::Invalidate() {
    rendered_ = QImage();
    renderedArea_ = QRect();
    failed_ = false;
    update();
}

// Only what can be seen is drawn: a picture larger than the screen costs no more than the screen.
QRect ImageView::NeededArea() const {
    const QRect graphic(0, 0, picture_->ImageWidth(), picture_->ImageHeight());
    return visibleRegion().boundingRect().intersected(rect()).intersected(graphic);
}

void ImageView::paintEvent(QPaintEvent*) {
    TGraphic* graphic = picture_ ? picture_->CurrentGraphic() : nullptr;
    if (!graphic || failed_) return;
    const QRect needed = NeededArea();
    if (rendered_.isNull() || !renderedArea_.contains(needed)) {
        try {
            rendered_ = RenderGraphic(*graphic, needed, palette().color(QPalette::Window));
            renderedArea_ = needed;
        } catch (...) {
            // Reported once, after the paint: a message box must not open inside a paint event.
            failed_ = true;
            QTimer::singleShot(0, [failure = std::current_exception()] {
                ui::Dispatch([failure] { std::rethrow_exception(failure); });
            });
            return;
        }
    }
    QPainter painter(this);
    painter.drawImage(renderedArea_.topLeft(), rendered_);
}
