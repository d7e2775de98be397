#include "formats/ImageFormats.h"

#include "formats/FormatMessages.h"
#include "formats/HeifImage.h"
#include "formats/PngImage.h"
#include "formats/WebPImage.h"
#include "graphics/Picture.h"

namespace {
bool registered = false;
}

void RegisterImageFormats() {
    if (registered) return;
    TPicture::RegisterExtension("heic", msg::SHeifImageFile, &THeifImage::Class);
    TPicture::RegisterExtension("heif", msg::SHeifImageFile, &THeifImage::Class);
    TPicture::RegisterExtension("png", msg::SPngImageFile, &TPngImage::Class);
    TPicture::RegisterExtension("webp", msg::SWebPImageFile, &TWebPImage::Class);
    registered = true;
}

void UnregisterImageFormats() {
    if (!registered) return;
    TPicture::ForgetGraphicClass(&TWebPImage::Class);
    TPicture::ForgetGraphicClass(&TPngImage::Class);
    TPicture::ForgetGraphicClass(&THeifImage::Class);
    registered = false;
}
