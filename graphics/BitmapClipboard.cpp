// TBitmap on the clipboard: format 2 carries a platform bitmap.
#include "graphics/Bitmap.h"
#include "graphics/BitmapImage.h"
#include "graphics/BitmapPalette.h"
#include "graphics/BitmapSurface.h"
#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "platform/Surface.h"

namespace {
constexpr std::uint16_t kBitmapClipboardFormat = 2;
}

void TBitmap::ReadFromClipboard(std::uint16_t format, const TClipboardData& data, HPALETTE palette) {
    platform::HBITMAP surface = std::dynamic_pointer_cast<platform::Surface>(data);
    if (format != kBitmapClipboardFormat || !surface) throw EInvalidGraphic(msg::SUnknownClipboardFormat);
    platform::DIBSECTION d = DescribeSurface(surface);
    if (!d.dsBm.bmBits) d.dsBmih.biSize = 0;  // a plain platform bitmap stays device-dependent
    RebuildImage(surface, palette, d);
    image_->os2 = false;  // the new image is this bitmap's own
    SetPaletteModified(PaletteHandle() != nullptr);
    NotifyChanged(this);
}

void TBitmap::WriteToClipboard(std::uint16_t& format, TClipboardData& data, HPALETTE& palette) {
    TBitmap copy;
    copy.ResizeWidth(ImageWidth());
    copy.ResizeHeight(ImageHeight());
    copy.Canvas().DrawGraphicAt(0, 0, this);
    format = kBitmapClipboardFormat;
    data = copy.DetachHandle();
    palette = CopyPalette(PaletteHandle());
}
