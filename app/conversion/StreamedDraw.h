#pragma once
// Drawing a JPEG into a working bitmap straight from its decoder's rows: each row the stretch
// samples is drawn at once and the others are dropped, so the picture is never held at full
// size. The pixels are those of drawing the decoded bitmap: the same rows and columns under the
// target pixels' centres, the same colours, white where no row came.

#include "graphics/Bitmap.h"
#include "graphics/Graphic.h"

// Stretches the graphic over the whole of `working` and returns true, or returns false having
// drawn nothing when the graphic is not a JPEG that can be streamed (it then draws as usual).
// The graphic is left undecoded: a later draw decodes it again.
bool DrawStreamed(TGraphic& graphic, TBitmap& working);
