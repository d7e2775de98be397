#pragma once
// What drawing keeps beside the file model: per frame its bitmap, mask and palette, per image
// the composed screen and the cached palette. Reading and editing drop these caches.

#include <memory>
#include <mutex>
#include <vector>

#include "graphics/Bitmap.h"
#include "platform/Gdi.h"

struct TGIFFrameCache {
    std::unique_ptr<TBitmap> Bitmap;
    platform::HBITMAP Mask;  // 1 where the pixel is the transparent index; none without such pixels
    platform::HPALETTE Palette;
    bool MaskPending = true;
};

class TGIFPainter;

struct TGIFRenderState {
    std::unique_ptr<TBitmap> CompositeBitmap;
    platform::HPALETTE GlobalPalette;
    // The painter DrawInto started, and every live painter, guarded by PainterLock.
    TGIFPainter* ShowingPainter = nullptr;
    std::vector<TGIFPainter*> PainterList;
    std::recursive_mutex PainterLock;
    bool Drawing = false;  // a nested DrawInto of the same image does nothing
};
