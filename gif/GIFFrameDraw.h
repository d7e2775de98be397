#pragma once
// Drawing one frame: its indices and colour map made into an 8-bit bitmap with a transparency
// mask, placed on a canvas at the frame's share of a rectangle that stands for the screen.

#include <functional>

#include "graphics/Canvas.h"
#include "graphics/Graphic.h"

class TBitmap;
class TGIFSubImage;

namespace gif {
// Carries out one progress report of a frame build; painter threads hand theirs to the owner
// thread. Empty: at once.
using TReportStep = std::function<void(std::function<void()>)>;
// The frame's cached bitmap, built on first use (dithered to the web palette when the image's
// paint options and the display ask for it); null for a frame without pixels, or when a build
// was aborted.
TBitmap* FrameBitmap(TGIFSubImage& frame, const TReportStep& report = {});
// The palette the frame's bitmap is built with.
platform::HPALETTE FramePalette(TGIFSubImage& frame);
// The frame's place inside a rectangle that shows the whole logical screen.
TRect MapFrameRect(TGIFSubImage& frame, const TRect& rect);
// Draws the frame into its share of the rectangle; with `transparent`, pixels of the
// transparent index leave the canvas as it was.
void DrawFrame(TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool transparent);
// The same, or with `tile` copies of the frame at its natural size repeated over the rectangle
// at the screen's pitch.
void DrawFrame(TGIFSubImage& frame, TCanvas& canvas, const TRect& rect, bool transparent, bool tile);
// The frame's areas inside a rectangle that shows the screen: one stretched, or one per tile.
void ForEachFrameArea(TGIFSubImage& frame, const TRect& rect, bool tile, const std::function<void(const TRect&)>& area);
// Tiles of a width x height at their natural size over the rectangle, from its top-left corner;
// tiles are not clipped to the rectangle.
void ForEachTile(const TRect& rect, int width, int height, const std::function<void(const TRect&)>& tile);
}  // namespace gif
