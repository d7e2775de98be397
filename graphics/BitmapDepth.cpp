// Pixel depths and handle kinds of a bitmap, and row access to its DIB section.
#include <cstdlib>

#include "graphics/Bitmap.h"
#include "graphics/BitmapCanvas.h"
#include "graphics/BitmapImage.h"
#include "graphics/BitmapPalette.h"
#include "graphics/BitmapSurface.h"
#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "graphics/WorkContext.h"
#include "platform/Surface.h"

namespace {
constexpr std::uint32_t kGreenMask565 = 0x07E0;

int DepthBits(TPixelDepth depth) {
    switch (depth) {
    case TPixelDepth::Bits1: return 1;
    case TPixelDepth::Bits4: return 4;
    case TPixelDepth::Bits8: return 8;
    case TPixelDepth::Bits15:
    case TPixelDepth::Bits16: return 16;
    case TPixelDepth::Bits24: return 24;
    default: return 32;
    }
}

HPALETTE DepthPalette(TPixelDepth depth, const HPALETTE& current) {
    if (depth == TPixelDepth::Bits4) return StandardPalette16();
    if (depth == TPixelDepth::Bits8) {
        TScreenDC screen;
        return platform::CreateHalftonePalette(screen.Handle());
    }
    return current;
}

bool Bgrx32DeviceSurface(const platform::HBITMAP& handle) {
    return handle && !handle->IsDib() && handle->BitsPerPixel() == 32 && handle->Compression() == platform::BI_RGB &&
           handle->Height() > 0;
}

std::uint8_t* TopRow(platform::Surface& surface, std::ptrdiff_t& stride) {
    platform::GdiFlush();
    stride = surface.TopDown() ? std::ptrdiff_t(surface.Stride()) : -std::ptrdiff_t(surface.Stride());
    return surface.Row(0);
}
}  // namespace

std::int32_t RowStride(std::int32_t width, std::int32_t bitsPerPixel) {
    return std::int32_t(RowBytes(width, bitsPerPixel));
}

int ColorTableEntries(int bitCount) {
    switch (bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

THandleKind TBitmap::HandleKind() {
    const TBitmapImage& image = *image_;
    if ((image.handle && image.handle != image.dibHandle) ||
        (!image.handle && !image.dibHandle && image.dib.dsBmih.biSize == 0))
        return THandleKind::DeviceDependent;
    return THandleKind::DeviceIndependent;
}

void TBitmap::ChangeHandleKind(THandleKind kind) {
    if (kind == HandleKind()) return;
    if (!image_->handle && !image_->dibHandle) {
        image_->dib.dsBmih.biSize = kind == THandleKind::DeviceDependent ? 0 : 40;
        return;
    }
    if (kind == THandleKind::DeviceDependent) ToDeviceDependent();
    else ToDeviceIndependent();
    NotifyChanged(this);
}

void TBitmap::ToDeviceDependent() {
    FreeCanvasContext();
    EnsurePalette();
    platform::DIBSECTION d = image_->dib;
    d.dsBmih.biSize = 0;
    const bool shared = image_->RefCount() > 1;
    const HPALETTE palette = shared ? CopyPalette(image_->palette) : image_->palette;
    const platform::HBITMAP surface = BuildSurface(image_->dibHandle, palette, palette, d, nullptr);
    if (shared) InstallImage(surface, palette, d, image_->os2, nullptr);
    else image_->handle = surface;  // the DIB section stays beside it as the read copy
}

void TBitmap::ToDeviceIndependent() {
    FreeCanvasContext();
    EnsurePalette();
    EnsureDib();
    if (image_->RefCount() > 1) {
        RebuildImage(image_->dibHandle, image_->palette, image_->dib);
        return;
    }
    const platform::HBITMAP section = image_->dibHandle;
    InstallImage(section, image_->palette, image_->dib, image_->os2, nullptr);
}

TPixelDepth TBitmap::CurrentDepth() {
    if (HandleKind() == THandleKind::DeviceDependent) return TPixelDepth::Device;
    const platform::BITMAPINFOHEADER& h = image_->dib.dsBmih;
    switch (h.biBitCount) {
    case 1: return TPixelDepth::Bits1;
    case 4: return TPixelDepth::Bits4;
    case 8: return TPixelDepth::Bits8;
    case 16:
        if (h.biCompression == platform::BI_RGB) return TPixelDepth::Bits15;
        if (h.biCompression == platform::BI_BITFIELDS && image_->dib.dsBitfields[1] == kGreenMask565)
            return TPixelDepth::Bits16;
        return TPixelDepth::Custom;
    case 24: return TPixelDepth::Bits24;
    case 32: return h.biCompression == platform::BI_RGB ? TPixelDepth::Bits32 : TPixelDepth::Custom;
    default: return TPixelDepth::Custom;
    }
}

void TBitmap::ChangeDepth(TPixelDepth depth) {
    if (depth == CurrentDepth()) return;
    if (depth == TPixelDepth::Device) {
        ChangeHandleKind(THandleKind::DeviceDependent);
        return;
    }
    if (depth == TPixelDepth::Custom) throw EInvalidGraphic(msg::SInvalidPixelFormat);
    platform::DIBSECTION d{};
    d.dsBm = image_->dib.dsBm;
    d.dsBm.bmBits = nullptr;
    d.dsBmih.biSize = 40;
    d.dsBmih.biWidth = d.dsBm.bmWidth;
    d.dsBmih.biHeight = std::abs(d.dsBm.bmHeight);
    d.dsBmih.biPlanes = 1;
    d.dsBmih.biBitCount = std::uint16_t(DepthBits(depth));
    d.dsBmih.biCompression = platform::BI_RGB;
    if (depth == TPixelDepth::Bits16) {
        d.dsBmih.biCompression = platform::BI_BITFIELDS;
        d.dsBitfields = {0xF800, kGreenMask565, 0x001F};
    }
    const HPALETTE palette = DepthPalette(depth, image_->palette);
    RebuildImage(BitmapHandle(), palette, d);
    SetPaletteModified(palette != nullptr);
    NotifyChanged(this);
}

std::uint8_t* TBitmap::ScanRow(std::int32_t row) {
    PrepareToChange();
    return const_cast<std::uint8_t*>(ReadScanRow(row));
}

const std::uint8_t* TBitmap::ReadScanRow(std::int32_t row) {
    const std::int32_t height = std::abs(image_->dib.dsBm.bmHeight);
    if (row < 0 || row >= height) throw EInvalidGraphicOperation(msg::SScanLine);
    EnsureDib();
    platform::GdiFlush();
    const platform::DIBSECTION& d = image_->dib;
    if (!d.dsBm.bmBits) throw EInvalidGraphicOperation(msg::SScanLine);
    const std::int64_t stored = d.dsBmih.biHeight > 0 ? d.dsBmih.biHeight - 1 - row : row;
    return static_cast<const std::uint8_t*>(d.dsBm.bmBits) + stored * RowBytes(d.dsBmih.biWidth, d.dsBmih.biBitCount);
}

const std::uint8_t* TBitmap::ReadDeviceRows32(std::ptrdiff_t& stride) {
    if (HandleKind() != THandleKind::DeviceDependent || !Bgrx32DeviceSurface(image_->handle)) return nullptr;
    return TopRow(*image_->handle, stride);
}

std::uint8_t* TBitmap::DeviceRows32(std::ptrdiff_t& stride) {
    if (!ReadDeviceRows32(stride)) return nullptr;
    PrepareToChange();
    return const_cast<std::uint8_t*>(ReadDeviceRows32(stride));
}
