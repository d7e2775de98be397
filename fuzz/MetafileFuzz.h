#pragma once
// What the metafile fuzz targets share: the GUI application that text drawing needs, and one
// round of reading, drawing small and at the picture's own size (when that is small), and writing.
#include <QGuiApplication>
#include <cstdint>

#include "fuzz/FuzzInput.h"
#include "graphics/Exceptions.h"
#include "graphics/Metafile.h"

// Text drawing resolves faces through fontconfig, which keeps its caches until the process ends;
// the leak checker looks past that library only.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

inline void StartOffscreenGui() {
    static int argc = 3;
    static char name[] = "metafile_fuzz", option[] = "-platform", platformName[] = "offscreen";
    static char* argv[] = {name, option, platformName, nullptr};
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    new QGuiApplication(argc, argv);
}

// Pictures up to this many pixels are also drawn at their own size.
inline constexpr std::int64_t kFullSizeDrawPixels = 256 * 256;

inline void ReadDrawWrite(TMemoryStream& stream) {
    TMetafile metafile;
    try {
        metafile.LoadFromStream(stream);
    } catch (const EInvalidGraphic&) {
        return;
    } catch (const EReadError&) {
        return;
    }
    DrawSmall(metafile);
    const std::int64_t width = metafile.ImageWidth(), height = metafile.ImageHeight();
    if (width > 0 && height > 0 && width * height <= kFullSizeDrawPixels) {
        TBitmap target;
        target.ResizeWidth(std::int32_t(width));
        target.ResizeHeight(std::int32_t(height));
        target.Canvas().StretchDrawGraphic({0, 0, std::int32_t(width), std::int32_t(height)}, &metafile);
    }
    // Both written forms: the enhanced bytes and the conversion back to Windows records.
    for (const bool enhanced : {true, false}) {
        metafile.SetEnhanced(enhanced);
        TMemoryStream written;
        try {
            metafile.SaveToStream(written);
        } catch (const EOutOfResources&) {
            continue;  // no Windows records to write
        }
    }
}
