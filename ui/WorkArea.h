#pragma once
// Keeping a window's frame inside a screen's work area (the screen without its panels).

#include <QRect>

// The frame moved inside `area` when its place would leave it partly outside; a frame larger
// than the area is cut to it at its top-left corner, so its caption and the top-left part of
// its content show. An empty area leaves the frame as it is.
QRect FitIntoWorkArea(const QRect& frame, const QRect& area);
