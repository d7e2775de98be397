// Any bytes as a metafile: a picture or the reader's own failure, never a crash; what loads is
// played once into a small bitmap and once at its own size (when that is small), text included.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzInput.h"
#include "graphics/Exceptions.h"
#include "graphics/Metafile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static int argc = 3;
    static char name[] = "emf_fuzz", option[] = "-platform", platformName[] = "offscreen";
    static char* argv[] = {name, option, platformName, nullptr};
    new QGuiApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto stream = StreamOf(data, size);
    TMetafile metafile;
    try {
        metafile.LoadFromStream(*stream);
    } catch (const EInvalidGraphic&) {
        return 0;
    } catch (const EReadError&) {
        return 0;
    }
    DrawSmall(metafile);
    const std::int64_t width = metafile.ImageWidth(), height = metafile.ImageHeight();
    if (width > 0 && height > 0 && width * height <= 256 * 256) {
        TBitmap target;
        target.ResizeWidth(std::int32_t(width));
        target.ResizeHeight(std::int32_t(height));
        target.Canvas().StretchDrawGraphic({0, 0, std::int32_t(width), std::int32_t(height)}, &metafile);
    }
    TMemoryStream written;
    metafile.SaveToStream(written);
    return 0;
}
