#include "app/conversion/PictureFormats.h"

#include "formats/ImageFormats.h"
#include "gif/GIFFormat.h"
#include "jpeg/JpegFormat.h"

void RegisterPictureFormats() {
    RegisterGifFormat();
    RegisterJpegFormat();
    RegisterImageFormats();
}

// The reverse order of registration.
void UnregisterPictureFormats() {
    UnregisterImageFormats();
    UnregisterJpegFormat();
    UnregisterGifFormat();
}
