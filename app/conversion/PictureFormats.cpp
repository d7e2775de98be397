#include "app/conversion/PictureFormats.h"

#include "jpeg/JpegFormat.h"

void RegisterPictureFormats() {
    RegisterJpegFormat();
}

// The reverse order of registration.
void UnregisterPictureFormats() {
    UnregisterJpegFormat();
}
