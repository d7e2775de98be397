#include "app/conversion/PictureFormats.h"

#include "formats/ImageFormats.h"
#include "jpeg/JpegFormat.h"

void RegisterPictureFormats() {
    RegisterJpegFormat();
    RegisterImageFormats();
}

// The reverse order of registration.
void UnregisterPictureFormats() {
    UnregisterImageFormats();
    UnregisterJpegFormat();
}
