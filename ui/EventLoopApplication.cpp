#include "ui/EventLoopApplication.h"

#include "graphics/Bitmap.h"
#include "ui/Dispatch.h"

bool EventLoopApplication::notify(QObject* receiver, QEvent* event) {
    bool result = false;
    ui::Dispatch([&] { result = QApplication::notify(receiver, event); });
    TBitmap::ReleaseIdleCanvasContexts();
    return result;
}
