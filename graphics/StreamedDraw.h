#pragma once
// Drawing a picture that is a row source (JPEG, PNG, WebP) into a working bitmap straight from
// its decoder's rows: each row the stretch samples is drawn at once and the others are dropped,
// so the picture is never held at full size. The pixels are those of drawing the decoded bitmap: the same rows and columns under the
// target pixels' centres, the same colours, white where no row came.

#include <span>

#include "graphics/Bitmap.h"
#include "graphics/Graphic.h"

// Stretches the graphic over the whole of `working` and returns true, or returns false having
// drawn nothing when the graphic is not a row source that can be streamed (it then draws as usual).
// The graphic is left undecoded: a later draw decodes it again.
bool DrawStreamed(TGraphic& graphic, TBitmap& working);

// The same for several bitmaps from one decode: each decoded row goes to every bitmap that
// samples it. Bitmaps with a side of 0 are left as they are; false, having drawn nothing, when
// none has pixels or the picture cannot be streamed into all of them.
bool DrawStreamed(TGraphic& graphic, std::span<TBitmap* const> targets);
