#include "app/conversion/PictureFormats.h"

#include <algorithm>
#include <array>
#include <vector>

#include "formats/FormatMessages.h"
#include "formats/HeifImage.h"
#include "formats/PngImage.h"
#include "formats/WebPImage.h"
#include "gif/GIFFormat.h"
#include "gif/GIFImage.h"
#include "gif/GIFMessages.h"
#include "graphics/Bitmap.h"
#include "graphics/Icon.h"
#include "graphics/Messages.h"
#include "graphics/Metafile.h"
#include "graphics/Picture.h"
#include "jpeg/JPEGImage.h"
#include "jpeg/JpegFormat.h"
#include "jpeg/JpegMessages.h"

namespace {

// clang-format off
const std::array<TPictureFormat, 11> kFormats = {{
    {"wmf",  &TMetafile::Class,   msg::SMetafilesDescription,    8},
    {"emf",  &TMetafile::Class,   msg::SEnhMetafilesDescription, 9},
    {"ico",  &TIcon::Class,       msg::SIconsDescription,        10},
    {"bmp",  &TBitmap::Class,     msg::SBitmapsDescription,      7},
    {"gif",  &TGIFImage::Class,   gifmsg::SGIFImage,             6},
    {"jpeg", &TJPEGImage::Class,  msg::SJPEGImageFile,           1},
    {"jpg",  &TJPEGImage::Class,  msg::SJPEGImageFile,           0},
    {"heic", &THeifImage::Class,  msg::SHeifImageFile,           2},
    {"heif", &THeifImage::Class,  msg::SHeifImageFile,           3},
    {"png",  &TPngImage::Class,   msg::SPngImageFile,            4},
    {"webp", &TWebPImage::Class,  msg::SWebPImageFile,           5},
}};
// clang-format on

// The classes RegisterPictureFormats added, so that shutting down leaves the built-in entries.
std::vector<TGraphicClass>& Added() {
    static std::vector<TGraphicClass> added;
    return added;
}

bool registered = false;

}  // namespace

std::span<const TPictureFormat> PictureFormats() { return kFormats; }

std::string AllPicturesMask() {
    std::array<const char*, kFormats.size()> shown{};
    for (const TPictureFormat& format : kFormats) shown.at(std::size_t(format.filterPlace)) = format.extension;
    std::string mask;
    for (const char* extension : shown) mask += (mask.empty() ? "*." : ";*.") + std::string(extension);
    return mask;
}

void RegisterPictureFormats() {
    if (registered) return;
    StartGifLibrary();
    StartJpegModule();
    FormatRegistry& registry = FormatRegistry::Instance();
    for (const TPictureFormat& format : kFormats) {
        if (registry.FindByExtension(format.extension) == format.graphicClass) continue;
        TPicture::RegisterExtension(format.extension, format.description, format.graphicClass);
        if (std::find(Added().begin(), Added().end(), format.graphicClass) == Added().end())
            Added().push_back(format.graphicClass);
    }
    registered = true;
}

// The reverse order of registration.
void UnregisterPictureFormats() {
    if (!registered) return;
    for (auto it = Added().rbegin(); it != Added().rend(); ++it) TPicture::ForgetGraphicClass(*it);
    Added().clear();
    StopGifLibrary();
    registered = false;
}
