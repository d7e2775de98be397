#include "app/ProgramIcon.h"

#include <QPixmap>

#include "graphics/Bitmap.h"
#include "graphics/Streams.h"
#include "resources/Resources.h"
#include "ui/GraphicRenderer.h"

QIcon ProgramIcon() {
    TMemoryStream stream;
    stream.WriteBuffer(ProgramIconBmp, std::int64_t(ProgramIconBmpSize));
    stream.SetPosition(0);
    TBitmap bitmap;
    bitmap.LoadFromStream(stream);
    const QRect area(0, 0, bitmap.ImageWidth(), bitmap.ImageHeight());
    return QIcon(QPixmap::fromImage(RenderGraphic(bitmap, area, Qt::white)));
}
