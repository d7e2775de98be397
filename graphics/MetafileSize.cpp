// Sizes of a metafile: pixels from the frame and the reference device, and frame changes.
#include "graphics/Metafile.h"

std::int32_t TMetafile::PixelSize(bool horizontal) {
    const std::int32_t frame = horizontal ? image_->frameWidth : image_->frameHeight;
    if (image_->inch != 0) return MulDiv(frame, ScreenPixelsPerInch(), 2540);
    if (!image_->handle) return horizontal ? image_->pendingWidth : image_->pendingHeight;
    const platform::ENHMETAHEADER header = platform::HeaderOf(*image_->handle);
    const std::int32_t device = horizontal ? header.szlDevice.cx : header.szlDevice.cy;
    const std::int64_t hundredths =
        std::int64_t(horizontal ? header.szlMillimeters.cx : header.szlMillimeters.cy) * 100;
    // A device without millimetres, or with more than 32 bits of hundredths, is no real device:
    // no size, rather than MulDiv's -1 that would reach the size rule as a negative picture.
    if (hundredths == 0 || hundredths > INT32_MAX || hundredths < INT32_MIN) return 0;
    const std::int32_t pixels = MulDiv(frame, device, std::int32_t(hundredths));
    return pixels == -1 && frame != 0 ? 0 : pixels;
}

std::int32_t TMetafile::ImageWidth() { return PixelSize(true); }

std::int32_t TMetafile::ImageHeight() { return PixelSize(false); }

void TMetafile::ResizePixels(std::int32_t pixels, bool horizontal) {
    if (image_->inch != 0) {
        ResizeFrame(MulDiv(pixels, 2540, ScreenPixelsPerInch()), horizontal);
    } else if (image_->handle) {
        const platform::ENHMETAHEADER header = platform::HeaderOf(*image_->handle);
        const std::int32_t device = horizontal ? header.szlDevice.cx : header.szlDevice.cy;
        const std::int32_t mm = horizontal ? header.szlMillimeters.cx : header.szlMillimeters.cy;
        ResizeFrame(MulDiv(pixels, MulDiv(mm, 100, 1), device), horizontal);
    } else {
        (horizontal ? image_->pendingWidth : image_->pendingHeight) = pixels;
    }
}

void TMetafile::ResizeWidth(std::int32_t value) { ResizePixels(value, true); }

void TMetafile::ResizeHeight(std::int32_t value) { ResizePixels(value, false); }

void TMetafile::ResizeFrame(std::int32_t units, bool horizontal) {
    (horizontal ? image_->pendingWidth : image_->pendingHeight) = 0;
    if (units == (horizontal ? image_->frameWidth : image_->frameHeight)) return;
    Unshare();
    (horizontal ? image_->frameWidth : image_->frameHeight) = units;
    NotifyChanged(this);
}

void TMetafile::ResizeFrameWidth(std::int32_t units) { ResizeFrame(units, true); }

void TMetafile::ResizeFrameHeight(std::int32_t units) { ResizeFrame(units, false); }
