#pragma once
// The smooth reduction: the picture filtered down (or up) to the working bitmap's size with a
// Lanczos-3 kernel instead of sampled one pixel per target pixel. A JPEG is decoded at the
// smallest DCT scale that still holds twice the result and filtered from its rows as they come, so it
// is never held at full size, nor are PNG and WebP pictures, filtered from their decoders' rows;
// other pictures are filtered from their decoded pixels, and vector pictures are drawn at the
// result size, having no pixels to reduce.

#include "graphics/Bitmap.h"
#include "graphics/Graphic.h"

// Reduces the graphic over the whole of `working` (white where the picture draws nothing).
void DrawSmooth(TGraphic& graphic, TBitmap& working);
