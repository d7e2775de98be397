#include "gif/GIFPaletteDisplay.h"

#include <atomic>

#include "gif/GIFSettings.h"
#include "platform/Gdi.h"

namespace gif {
namespace {
// -1 until first read; painter threads ask while building frames.
std::atomic<int> paletteDisplay{-1};
}  // namespace

void ReadPaletteDisplay() { paletteDisplay.store(platform::PaletteDisplay() ? 1 : 0); }

bool PaletteDisplay() {
    if (paletteDisplay.load() < 0) ReadPaletteDisplay();
    return paletteDisplay.load() == 1;
}

bool DitherFrames(std::uint16_t paintOptions) {
    return (paintOptions & goDitherToWebPalette) &&
           (!(paintOptions & goDitherOnPaletteDisplayOnly) || PaletteDisplay());
}
}  // namespace gif
