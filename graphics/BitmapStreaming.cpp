// TBitmap's streams: BMP files and the persisted block (a 32-bit count, then a BMP file).
#include "graphics/Bitmap.h"
#include "graphics/BitmapCanvas.h"
#include "graphics/BitmapImage.h"
#include "graphics/BmpFile.h"
#include "graphics/Streams.h"

void TBitmap::LoadFromStream(TStream& stream) { ReadBmp(stream, stream.Size() - stream.Position()); }

void TBitmap::SaveToStream(TStream& stream) { WriteBmp(stream, false); }

void TBitmap::ReadPersisted(TStream& stream) { ReadBmp(stream, stream.ReadUInt32()); }

void TBitmap::WritePersisted(TStream& stream) { WriteBmp(stream, true); }

void TBitmap::ReadBmp(TStream& stream, std::int64_t count) {
    FreeCanvasContext();
    if (count <= 0) {
        InstallEmptyImage();
        return;
    }
    InstallRead(bmp::ReadBmp(stream, count, ColorManagement()));
}

void TBitmap::ReadBmpBody(TStream& stream, std::int64_t count) {
    FreeCanvasContext();
    InstallRead(bmp::ReadBmpBody(stream, count, nullptr, ColorManagement()));
}

// The stream read from may belong to the image being replaced: nothing reads it from here on.
void TBitmap::InstallRead(TBmpContent&& content) {
    InstallImage(content.surface, content.palette, content.description, content.os2, std::move(content.keptFileData));
    SetPaletteModified(PaletteHandle() != nullptr);
    NotifyChanged(this);
}

void TBitmap::WriteBmp(TStream& stream, bool sizePrefix) {
    if (!image_->keptFileData) EnsureDib();
    bmp::WriteBmp(stream, *image_, sizePrefix);
}
