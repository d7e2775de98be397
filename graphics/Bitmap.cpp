// TBitmap: sharing and copy-on-write, surfaces on demand, palettes, handles and the canvas.
#include "graphics/Bitmap.h"

#include <cstdlib>

#include "graphics/BitmapCanvas.h"
#include "graphics/BitmapImage.h"
#include "graphics/BitmapPalette.h"
#include "graphics/BitmapSurface.h"
#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "graphics/Streams.h"
#include "graphics/WorkContext.h"

OBRAZOR_DEFINE_CLASS(TBitmap, TGraphic);

TBitmap::TBitmap() : image_(new TBitmapImage) { image_->Reference(); }

TBitmap::~TBitmap() {
    FreeCanvasContext();
    std::lock_guard guard(ImageLock());
    image_->Release();
}

// ---- Sharing --------------------------------------------------------------------------------

void TBitmap::CopyFrom(TPersistent* source) {
    auto* other = dynamic_cast<TBitmap*>(source);
    if (source && !other) {
        TGraphic::CopyFrom(source);
        return;
    }
    if (other == this) return;
    FreeCanvasContext();
    if (other) {
        std::lock_guard guard(ImageLock());
        other->image_->Reference();
        image_->Release();
        image_ = other->image_;
        transparent_ = other->transparent_;
        maskValid_ = false;
    } else {
        InstallEmptyImage();
    }
    SetPaletteModified(PaletteHandle() != nullptr);
    NotifyChanged(this);
}

void TBitmap::InstallImage(const platform::HBITMAP& handle, const HPALETTE& palette,
                           const platform::DIBSECTION& description, bool os2,
                           std::unique_ptr<TMemoryStream> keptFileData) {
    auto* image = new TBitmapImage;
    image->handle = handle;
    image->palette = palette;
    image->dib = description;
    if (description.dsBm.bmBits) image->dibHandle = handle;
    image->os2 = os2;
    image->keptFileData = std::move(keptFileData);
    image->Reference();
    {
        std::lock_guard guard(ImageLock());
        image_->Release();
        image_ = image;
    }
    maskValid_ = false;
    ignorePalette_ = false;  // the flag spoke of the image just dropped
}

void TBitmap::InstallEmptyImage() { InstallImage(nullptr, nullptr, platform::DIBSECTION{}, false, nullptr); }

void TBitmap::PrepareToChange() {
    Unshare();
    image_->dib.dsBmih.biClrUsed = 0;
    image_->dib.dsBmih.biClrImportant = 0;
    image_->keptFileData.reset();
}

void TBitmap::Unshare() {
    if (image_->RefCount() > 1) {
        EnsureHandle();
        RebuildImage(image_->handle, image_->halftone ? nullptr : image_->palette, image_->dib);
    } else if (image_->handle && image_->handle != image_->dibHandle) {
        // The read copy beside a device-dependent surface goes stale at this change. Describe
        // the surface itself again, so that later rebuilds keep it device-dependent.
        image_->dibHandle.reset();
        image_->dib = DescribeSurface(image_->handle);
    }
}

void TBitmap::RebuildImage(const platform::HBITMAP& source, const HPALETTE& palette, platform::DIBSECTION description) {
    FreeCanvasContext();
    const HPALETTE newPalette = palette == StandardPalette16() ? palette : CopyPalette(palette);
    const platform::HBITMAP surface = BuildSurface(source, palette, newPalette, description, canvas_.get());
    InstallImage(surface, newPalette, description, image_->os2, nullptr);
}

void TBitmap::FreeCanvasContext() {
    if (canvas_) canvas_->FreeContext();
}

// ---- Surfaces on demand ---------------------------------------------------------------------

void TBitmap::EnsureHandle() {
    if (!image_->handle && !image_->dibHandle && image_->keptFileData) {
        TNotifyEvent muted;
        std::swap(muted, OnChange);
        TMemoryStream* kept = image_->keptFileData.get();
        kept->SetPosition(0);
        try {
            LoadFromStream(*kept);
        } catch (...) {
            std::swap(muted, OnChange);
            throw;
        }
        std::swap(muted, OnChange);
    }
    if (!image_->handle) image_->handle = image_->dibHandle;
}

void TBitmap::EnsureDib() {
    if (!image_->handle || image_->dibHandle) return;
    EnsurePalette();
    platform::DIBSECTION& d = image_->dib;
    if (d.dsBmih.biSize == 0) {
        const platform::BITMAP bm = DescribeSurface(image_->handle).dsBm;
        d.dsBmih.biSize = 40;
        d.dsBmih.biWidth = bm.bmWidth;
        d.dsBmih.biHeight = bm.bmHeight;
        d.dsBmih.biPlanes = 1;
        d.dsBmih.biBitCount = std::uint16_t(bm.bmPlanes * bm.bmBitsPixel);
    }
    platform::DIBSECTION copy = d;
    image_->dibHandle = BuildSurface(image_->handle, image_->palette, image_->palette, copy, nullptr);
    d = copy;
}

void TBitmap::EnsurePalette() {
    if (ignorePalette_ || image_->palette || !image_->dibHandle) return;
    if (image_->handle == image_->dibHandle) TBitmapCanvas::ReleaseContextsHolding(image_->dibHandle);
    image_->palette = PaletteFromColorTable(image_->dibHandle);
    if (!image_->palette && (image_->halftone || DisplayBitsPerPixel() < BitsPerPixel())) {
        image_->halftone = true;
        TScreenDC screen;
        image_->palette = platform::CreateHalftonePalette(screen.Handle());
    }
    if (!image_->palette) ignorePalette_ = true;
}

int TBitmap::BitsPerPixel() const { return image_->dib.dsBm.bmBitsPixel * image_->dib.dsBm.bmPlanes; }

// ---- TGraphic -------------------------------------------------------------------------------

void TBitmap::NotifyChanged(TObject* sender) {
    maskBitsValid_ = false;
    TGraphic::NotifyChanged(sender);
}

bool TBitmap::IsEmpty() { return !image_->handle && !image_->dibHandle && !image_->keptFileData; }

std::int32_t TBitmap::ImageWidth() { return image_->dib.dsBm.bmWidth; }

std::int32_t TBitmap::ImageHeight() { return std::abs(image_->dib.dsBm.bmHeight); }

void TBitmap::ResizeWidth(std::int32_t value) {
    if (value == image_->dib.dsBm.bmWidth) return;
    EnsureHandle();
    platform::DIBSECTION d = image_->dib;
    if (HandleKind() == THandleKind::DeviceDependent) d.dsBmih.biSize = 0;  // resizing keeps the kind
    d.dsBm.bmWidth = value;
    d.dsBmih.biWidth = value;
    RebuildImage(image_->handle, image_->palette, d);
    NotifyChanged(this);
}

void TBitmap::ResizeHeight(std::int32_t value) {
    if (value == std::abs(image_->dib.dsBm.bmHeight)) return;
    EnsureHandle();
    platform::DIBSECTION d = image_->dib;
    if (HandleKind() == THandleKind::DeviceDependent) d.dsBmih.biSize = 0;
    d.dsBm.bmHeight = value;
    d.dsBmih.biHeight = value;
    RebuildImage(image_->handle, image_->palette, d);
    NotifyChanged(this);
}

HPALETTE TBitmap::PaletteHandle() {
    EnsurePalette();
    return image_->palette;
}

void TBitmap::AdoptPalette(HPALETTE palette) {
    if (palette == image_->palette) return;
    if (!palette && image_->RefCount() == 1) {
        image_->palette.reset();
    } else {
        FreeCanvasContext();
        EnsureHandle();
        platform::DIBSECTION d = image_->dib;
        const platform::HBITMAP surface = BuildSurface(image_->handle, image_->palette, palette, d, canvas_.get());
        InstallImage(surface, palette, d, image_->os2, nullptr);
    }
    if (image_->dibHandle && image_->dibHandle == image_->handle && image_->dib.dsBmih.biBitCount <= 8 && palette) {
        const auto table = ColorTableFromPalette(palette, kMaxPaletteEntries - 1);
        TWorkDC work;
        platform::SelectObject(work.Handle(), image_->dibHandle);
        platform::SetDIBColorTable(work.Handle(), 0, unsigned(table.size()), table.data());
    }
    SetPaletteModified(true);
    NotifyChanged(this);
}

// ---- Handles --------------------------------------------------------------------------------

HBITMAP TBitmap::BitmapHandle() {
    FreeCanvasContext();
    EnsureHandle();
    PrepareToChange();
    return image_->handle;
}

void TBitmap::AdoptHandle(HBITMAP handle) {
    if (handle == image_->handle) return;
    FreeCanvasContext();
    const platform::DIBSECTION d = DescribeSurface(handle);
    HPALETTE palette;
    if (image_->RefCount() == 1) palette = std::move(image_->palette);
    else if (image_->palette == StandardPalette16()) palette = image_->palette;
    else palette = CopyPalette(image_->palette);
    InstallImage(handle, palette, d, false, nullptr);
    NotifyChanged(this);
}

HBITMAP TBitmap::DetachHandle() {
    EnsureHandle();
    PrepareToChange();
    FreeCanvasContext();
    HBITMAP handle = std::move(image_->handle);
    if (handle == image_->dibHandle) {
        image_->dibHandle.reset();
        image_->dib.dsBm.bmBits = nullptr;
    }
    return handle;
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) {
        EnsureHandle();
        canvas_ = std::make_unique<TBitmapCanvas>(this);
        canvas_->OnChange = [this](TObject*) { NotifyChanged(this); };
        canvas_->OnChanging = [this](TObject*) { PrepareToChange(); };
    }
    return *canvas_;
}

bool TBitmap::HasCanvas() const { return bool(canvas_); }

bool TBitmap::IsMonochrome() { return image_->dib.dsBm.bmPlanes == 1 && image_->dib.dsBm.bmBitsPixel == 1; }

void TBitmap::ChangeMonochrome(bool value) {
    if (value == IsMonochrome()) return;
    EnsureHandle();
    platform::DIBSECTION d = image_->dib;
    const std::uint16_t one = value ? 1 : 0;
    d.dsBmih.biSize = 0;
    d.dsBm.bmPlanes = d.dsBm.bmBitsPixel = one;
    d.dsBmih.biPlanes = d.dsBmih.biBitCount = one;
    RebuildImage(image_->handle, image_->palette, d);
    NotifyChanged(this);
}

void TBitmap::MakeDormant() {
    auto stream = std::make_unique<TMemoryStream>();
    SaveToStream(*stream);
    FreeCanvasContext();
    canvas_.reset();
    platform::DIBSECTION d = image_->dib;
    d.dsBm.bmBits = nullptr;
    InstallImage(nullptr, nullptr, d, image_->os2, stream->Size() ? std::move(stream) : nullptr);
}

void TBitmap::ReleaseIdleCanvasContexts() { TBitmapCanvas::ReleaseIdle(); }
