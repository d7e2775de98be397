#include "graphics/BitmapCanvas.h"

#include <algorithm>
#include <mutex>
#include <thread>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/BitmapImage.h"
#include "graphics/Exceptions.h"
#include "graphics/WorkContext.h"

namespace {
// The bitmap canvases that currently own a drawing context, each with the surface selected into
// it, so that finding the holder of a surface never has to look inside another thread's canvas.
struct ContextOwner {
    TBitmapCanvas* canvas;
    const platform::Surface* surface;
    std::thread::id thread;  // that made the context
};

struct ContextOwners {
    std::recursive_mutex lock;
    std::vector<ContextOwner> entries;
};

ContextOwners& Owners() {
    static ContextOwners owners;
    return owners;
}

void AddOwner(TBitmapCanvas* canvas, const platform::HBITMAP& surface) {
    std::lock_guard guard(Owners().lock);
    Owners().entries.push_back({canvas, surface.get(), std::this_thread::get_id()});
}

void RemoveOwner(TBitmapCanvas* canvas) {
    std::lock_guard guard(Owners().lock);
    auto& list = Owners().entries;
    list.erase(std::remove_if(list.begin(), list.end(), [canvas](const ContextOwner& o) { return o.canvas == canvas; }),
               list.end());
}

// The canvas other than `keep` whose context holds the surface, or null.
TBitmapCanvas* HolderOf(const platform::Surface* surface, const TBitmapCanvas* keep) {
    std::lock_guard guard(Owners().lock);
    for (const ContextOwner& owner : Owners().entries)
        if (owner.surface == surface && owner.canvas != keep) return owner.canvas;
    return nullptr;
}
}  // namespace

TBitmapCanvas::TBitmapCanvas(TBitmap* bitmap) : bitmap_(bitmap) {}

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::CreateHandle() {
    TCanvasLock guard(*this);
    if (HandleAllocated()) return;
    bitmap_->EnsureHandle();
    const platform::HBITMAP surface = bitmap_->image_->handle;
    if (surface) ReleaseContextsHolding(surface, this);
    bitmap_->EnsurePalette();
    TScreenDC screen;
    platform::HDC dc = platform::CreateCompatibleDC(screen.Handle());
    if (!dc) RaiseLastPlatformError();
    if (surface) {
        previousBitmap_ = platform::SelectObject(dc, surface);
        if (!previousBitmap_) RaiseLastPlatformError();
    }
    if (const platform::HPALETTE& palette = bitmap_->image_->palette) {
        previousPalette_ = platform::SelectPalette(dc, palette, true);
        platform::RealizePalette(dc);
    }
    SetHandle(dc);
    AddOwner(this, surface);
}

void TBitmapCanvas::FreeContext() {
    TCanvasLock guard(*this);  // before looking: an idle release may free it on another thread
    if (!HandleAllocated()) return;
    const platform::HDC dc = Handle();
    if (previousBitmap_) platform::SelectObject(dc, previousBitmap_);
    if (previousPalette_) platform::SelectPalette(dc, previousPalette_, true);
    previousBitmap_.reset();
    previousPalette_.reset();
    SetHandle(nullptr);
    platform::DeleteDC(dc);
    RemoveOwner(this);
}

// The list lock is not held while waiting for a canvas lock: a drawing thread holding its
// canvas may need the list itself. Only canvases holding this very surface are touched; those
// belong to bitmaps sharing its image, never to another thread's own bitmaps.
void TBitmapCanvas::ReleaseContextsHolding(const platform::HBITMAP& surface, TBitmapCanvas* keep) {
    if (!surface) return;
    while (TBitmapCanvas* canvas = HolderOf(surface.get(), keep)) {
        TCanvasLock guard(*canvas);
        canvas->FreeContext();
        RemoveOwner(canvas);  // gone from the list even if its context went meanwhile
    }
}

// Lock order: a canvas may take the list lock while it holds its own lock (making or freeing
// its context), never the other way round with waiting. Here the list lock is held over the
// whole walk, because it keeps every listed canvas alive (a canvas being destroyed on another
// thread cannot leave the list, and so cannot be freed, before the walk ends), and each canvas
// is only tried: one held by any thread is skipped, so this walk never waits for a canvas.
// Only the calling thread's own contexts are released: a worker thread that draws without
// holding its canvas (a conversion on a worker) must not lose its context between two calls
// because the window's event loop went idle meanwhile.
void TBitmapCanvas::ReleaseIdle() {
    std::lock_guard guard(Owners().lock);
    std::vector<TBitmapCanvas*> canvases;
    for (const ContextOwner& owner : Owners().entries)
        if (owner.thread == std::this_thread::get_id()) canvases.push_back(owner.canvas);
    for (TBitmapCanvas* canvas : canvases) {
        if (!canvas->TryLockCanvas()) continue;
        canvas->FreeContext();
        canvas->UnlockCanvas();
    }
}
