#include "gif/GIFFormat.h"

#include "gif/GIFExtension.h"
#include "gif/GIFImage.h"
#include "gif/GIFPaletteDisplay.h"
#include "graphics/Picture.h"

namespace {
// The number the platform gives the clipboard format named "GIF Image"; registered formats
// start above the predefined ones.
constexpr std::uint16_t kGifClipboardFormat = 0xC000;
}  // namespace

void StartGifLibrary() {
    gif::ReadPaletteDisplay();
    TPicture::RegisterClipboardFormat(kGifClipboardFormat, &TGIFImage::Class);
}

void StopGifLibrary() {
    FreeGIFExtensionRegistries();
    TPicture::ForgetGraphicClass(&TGIFImage::Class);
}
