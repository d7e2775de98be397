#pragma once
// Selects a palette into a context as a background palette and realizes it for one scope; the
// previous palette is selected back at the end. No palette: nothing happens.

#include "platform/Gdi.h"

class TPaletteSelection {
public:
    TPaletteSelection(const platform::HDC& dc, const platform::HPALETTE& palette) : dc_(dc) {
        if (!palette) return;
        previous_ = platform::SelectPalette(dc_, palette, true);
        platform::RealizePalette(dc_);
    }
    ~TPaletteSelection() {
        if (previous_) platform::SelectPalette(dc_, previous_, true);
    }
    TPaletteSelection(const TPaletteSelection&) = delete;
    TPaletteSelection& operator=(const TPaletteSelection&) = delete;

private:
    platform::HDC dc_;
    platform::HPALETTE previous_;
};
