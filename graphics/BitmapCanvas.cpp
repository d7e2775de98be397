#include "graphics/BitmapCanvas.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/BitmapImage.h"
#include "graphics/Exceptions.h"
#include "graphics/WorkContext.h"

namespace {
// The bitmap canvases that currently own a drawing context.
struct ContextOwners {
    std::recursive_mutex lock;
    std::vector<TBitmapCanvas*> canvases;
};

ContextOwners& Owners() {
    static ContextOwners owners;
    return owners;
}

void AddOwner(TBitmapCanvas* canvas) {
    std::lock_guard guard(Owners().lock);
    Owners().canvases.push_back(canvas);
}

void RemoveOwner(TBitmapCanvas* canvas) {
    std::lock_guard guard(Owners().lock);
    auto& list = Owners().canvases;
    list.erase(std::remove(list.begin(), list.end(), canvas), list.end());
}

std::vector<TBitmapCanvas*> OwnersSnapshot() {
    std::lock_guard guard(Owners().lock);
    return Owners().canvases;
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
    AddOwner(this);
}

void TBitmapCanvas::FreeContext() {
    if (!HandleAllocated()) return;
    TCanvasLock guard(*this);
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
// canvas may need the list itself.
void TBitmapCanvas::ReleaseContextsHolding(const platform::HBITMAP& surface, TBitmapCanvas* keep) {
    if (!surface) return;
    for (TBitmapCanvas* canvas : OwnersSnapshot()) {
        if (canvas == keep) continue;
        TCanvasLock guard(*canvas);
        if (canvas->HandleAllocated() && platform::GetCurrentBitmap(canvas->Handle()) == surface)
            canvas->FreeContext();
    }
}

void TBitmapCanvas::ReleaseIdle() {
    std::lock_guard guard(Owners().lock);
    for (TBitmapCanvas* canvas : std::vector<TBitmapCanvas*>(Owners().canvases)) {
        if (!canvas->TryLockCanvas()) continue;
        canvas->FreeContext();
        canvas->UnlockCanvas();
    }
}
