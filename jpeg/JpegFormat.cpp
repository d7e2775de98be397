#include "jpeg/JpegFormat.h"

#include "jpeg/DisplayColors.h"
#include "jpeg/JpegSettings.h"

void StartJpegModule() {
    // A display of 8 bits or fewer shows palette pictures best, so decoding makes them.
    JpegDefaults.DecodeDepth = jpeg::DisplayColorBits() <= 8 ? TJpegDepth::Depth8 : TJpegDepth::Depth24;
}
