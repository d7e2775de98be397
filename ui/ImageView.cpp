#include "ui/ImageView.h"

#include <QPaintEvent>
#include <QPainter>

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

void ImageView::paintEvent(QPaintEvent* event) {
    TGraphic* graphic = picture_ ? picture_->CurrentGraphic() : nullptr;
    if (!graphic || failed_) return;
    const QRect needed = NeededArea().united(event->rect().intersected(NeededArea()));
    if (!renderedArea_.contains(needed) || rendered_.isNull()) {
        // A graphic that fails to draw is reported once, not on every paint.
        failed_ = true;
        ui::Dispatch([&] {
            rendered_ = RenderGraphic(*graphic, needed, palette().color(QPalette::Window));
            renderedArea_ = needed;
            failed_ = false;
        });
        if (failed_) return;
    }
    QPainter painter(this);
    painter.drawImage(renderedArea_.topLeft(), rendered_);
}
