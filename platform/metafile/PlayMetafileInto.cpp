#include "platform/metafile/PlayMetafileInto.h"

#include <QImage>

#include "platform/Surface.h"
#include "platform/metafile/MetafilePlayer.h"

void platform::PlayMetafileInto(Surface& surface, const EnhMetaFile& emf, const RECT& rect) {
    QImage image(surface.Bits(), surface.Width(), surface.Height(), qsizetype(surface.Stride()), QImage::Format_RGB32);
    MetafilePlayer(image, emf, rect).Play();
}
