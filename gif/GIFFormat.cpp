#include "gif/GIFFormat.h"

#include "gif/GIFExtension.h"
#include "gif/GIFImage.h"
#include "gif/GIFMessages.h"
#include "gif/GIFPaletteDisplay.h"
#include "graphics/Picture.h"

namespace {
bool registered = false;
// The number the platform gives the clipboard format named "GIF Image"; registered formats
// start above the predefined ones.
constexpr std::uint16_t kGifClipboardFormat = 0xC000;
}  // namespace

void RegisterGifFormat() {
    if (registered) return;
    gif::ReadPaletteDisplay();
    TPicture::RegisterExtension("GIF", gifmsg::SGIFImage, &TGIFImage::Class);
    TPicture::RegisterClipboardFormat(kGifClipboardFormat, &TGIFImage::Class);
    registered = true;
}

void UnregisterGifFormat() {
    if (!registered) return;
    FreeGIFExtensionRegistries();
    TPicture::ForgetGraphicClass(&TGIFImage::Class);
    registered = false;
}
