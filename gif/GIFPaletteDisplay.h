#pragma once
// Whether frames are dithered to the web palette: when asked to, on any display or only on a
// display with a hardware palette (8 bits per pixel or fewer).

#include <cstdint>

namespace gif {
// Taken from the display when the library starts and kept.
bool PaletteDisplay();
// Takes the display's depth again; the GIF format's registration does, and so may tests that
// switch the display.
void ReadPaletteDisplay();
bool DitherFrames(std::uint16_t paintOptions);
}  // namespace gif
