#pragma once
// TBitmapCanvas: the canvas of a bitmap. It makes its drawing context only when drawing needs
// one and gives it back when the surface changes or after each dispatched event.

#include "graphics/Canvas.h"

class TBitmap;

class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap);
    ~TBitmapCanvas() override;

    // Reselects what the context held before, deletes it and leaves the process-wide list.
    void FreeContext();

    // A surface can be selected in one context only: frees every bitmap canvas context that
    // holds it, except `keep`'s.
    static void ReleaseContextsHolding(const platform::HBITMAP& surface, TBitmapCanvas* keep = nullptr);
    // Frees the context of every bitmap canvas that the calling thread gave one and whose lock
    // can be taken at once.
    static void ReleaseIdle();

protected:
    void CreateHandle() override;

private:
    TBitmap* bitmap_;
    platform::HBITMAP previousBitmap_;
    platform::HPALETTE previousPalette_;
};
