#include "jpeg/JpegFormat.h"

#include "graphics/Picture.h"
#include "jpeg/DisplayColors.h"
#include "jpeg/JPEGImage.h"
#include "jpeg/JpegMessages.h"

namespace {

bool registered = false;

// A display of 8 bits or fewer shows palette pictures best, so decoding makes them.
TJpegDepth DisplayDepth() { return jpeg::DisplayColorBits() <= 8 ? TJpegDepth::Depth8 : TJpegDepth::Depth24; }

}  // namespace

void RegisterJpegFormat() {
    if (registered) return;
    JpegDefaults.DecodeDepth = DisplayDepth();
    TPicture::RegisterExtension("jpeg", msg::SJPEGImageFile, &TJPEGImage::Class);
    TPicture::RegisterExtension("jpg", msg::SJPEGImageFile, &TJPEGImage::Class);
    registered = true;
}

void UnregisterJpegFormat() {
    if (!registered) return;
    TPicture::ForgetGraphicClass(&TJPEGImage::Class);
    registered = false;
}
