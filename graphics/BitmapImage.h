#pragma once
// TBitmapImage: the surfaces, palette and description that bitmaps share until one of them
// changes, and the process-wide lock around swapping a bitmap's image.

#include <memory>
#include <mutex>

#include "graphics/SharedImage.h"
#include "graphics/Streams.h"
#include "platform/Gdi.h"

class TBitmapImage : public TSharedImage {
public:
    platform::HBITMAP handle;  // the device-dependent surface, or the DIB section
    platform::HBITMAP mask;    // monochrome transparency mask, made on demand
    platform::HPALETTE palette;
    platform::HBITMAP dibHandle;  // the DIB section: equals handle, or a read copy beside it
    platform::DIBSECTION dib{};
    std::unique_ptr<TMemoryStream> keptFileData;  // encoded or dormant bitmaps only
    bool halftone = false;
    bool os2 = false;
};

// Held while a bitmap drops its image reference and takes another.
std::mutex& ImageLock();
