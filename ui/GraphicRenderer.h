#pragma once
// Draws a graphic the way the picture model draws it: through a TCanvas whose context holds a
// 32-bit surface, then hands the pixels to Qt as an RGB32 image.

#include <QImage>

#include "graphics/Graphic.h"

// Renders the part `area` of the graphic drawn at its own size from (0, 0), over `background`.
// An empty area gives a null image.
QImage RenderGraphic(TGraphic& graphic, const QRect& area, QColor background);
