#pragma once
// Copying a source onto a target except where a monochrome mask is set.

#include "platform/Gdi.h"

struct TBlitArea {
    platform::HDC dc;
    int x = 0, y = 0, width = 0, height = 0;
};

// Pixels whose mask bit is 1 leave the target untouched; the rest take the source. Equal
// sizes go through one masked blit, scaled ones through a work surface of the source's size
// that uses the source's palette (or the standard 16 colours) as background palette.
void TransparentBlit(const TBlitArea& target, const TBlitArea& source, const platform::HPALETTE& sourcePalette,
                     const platform::HDC& maskDC, int maskX, int maskY);
