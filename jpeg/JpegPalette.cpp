#include "jpeg/JpegPalette.h"

#include <algorithm>
#include <array>

#include "jpeg/DisplayColors.h"
#include "jpeg/JPEGImage.h"

namespace jpeg {
namespace {
constexpr unsigned MaxPaletteEntries = 256;
}

bool ColormapFromPalette(CodecContext& context, const platform::HPALETTE& palette) {
    std::array<platform::PALETTEENTRY, MaxPaletteEntries> entries;
    const unsigned count =
        std::min(platform::GetPaletteEntries(palette, 0, MaxPaletteEntries, entries.data()), MaxPaletteEntries);
    if (count == 0) return false;
    j_decompress_ptr d = context.Decompress();
    JSAMPARRAY map = nullptr;
    context.Call([&] { map = (*d->mem->alloc_sarray)(context.Common(), JPOOL_IMAGE, count, 3); });
    // Colour-map components follow the output's byte order: blue, green, red.
    for (unsigned i = 0; i < count; ++i) {
        map[2][i] = entries[i].peRed;
        map[1][i] = entries[i].peGreen;
        map[0][i] = entries[i].peBlue;
    }
    d->colormap = map;
    d->actual_number_of_colors = int(count);
    return true;
}

platform::HPALETTE PaletteFromColormap(j_decompress_ptr cinfo) {
    const unsigned count = unsigned(std::clamp(cinfo->actual_number_of_colors, 0, int(MaxPaletteEntries)));
    std::array<platform::PALETTEENTRY, MaxPaletteEntries> entries{};
    const bool gray = cinfo->out_color_space == JCS_GRAYSCALE;
    for (unsigned i = 0; i < count; ++i) {
        const JSAMPLE blue = cinfo->colormap[0][i];
        entries[i].peRed = gray ? blue : cinfo->colormap[2][i];
        entries[i].peGreen = gray ? blue : cinfo->colormap[1][i];
        entries[i].peBlue = blue;
    }
    return platform::CreatePalette(entries.data(), count);
}

platform::HPALETTE CopyPalette(const platform::HPALETTE& palette) {
    std::array<platform::PALETTEENTRY, MaxPaletteEntries> entries;
    const unsigned count = platform::GetPaletteEntries(palette, 0, MaxPaletteEntries, entries.data());
    return platform::CreatePalette(entries.data(), std::min(count, MaxPaletteEntries));
}

}  // namespace jpeg

HPALETTE TJPEGImage::PaletteHandle() {
    if (heldBitmap_) return heldBitmap_->PaletteHandle();
    if (heldPalette_) return heldPalette_;
    if (decodeDepth_ != TJpegDepth::Depth24) return nullptr;
    heldPalette_ = jpeg::DisplayHalftonePalette();
    return heldPalette_;
}

void TJPEGImage::AdoptPalette(HPALETTE palette) {
    if (palette == heldPalette_) return;
    const bool visible = heldBitmap_ && heldBitmap_->PaletteHandle() != palette;
    if (visible) heldBitmap_.reset();
    heldPalette_ = std::move(palette);
    if (!visible) return;
    SetPaletteModified(true);
    NotifyChanged(this);
}
