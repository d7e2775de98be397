// The metafile player and the GUI library's fonts, built as a module that obrazor-convert loads
// only for a run that holds a metafile: linking the GUI library costs every run of the tool
// more start-up, and more memory, than converting a small photo.

#include <QGuiApplication>
#include <memory>

#include "convert/player/MetafilePlayerEntry.h"
#include "platform/metafile/PlayMetafileInto.h"

namespace {

// Text in metafiles is drawn with the GUI library's fonts, which need its application object;
// the offscreen platform needs no display.
int guiArgc = 3;
char program[] = "obrazor-convert", offscreenOption[] = "-platform", offscreen[] = "offscreen";
char* guiArgv[] = {program, offscreenOption, offscreen, nullptr};
std::unique_ptr<QGuiApplication> fonts;

}  // namespace

extern "C" {

void ObrazorStartFonts() {
    if (fonts) return;
    // The tool's report is its own: the GUI library's diagnostics stay out of it.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    fonts = std::make_unique<QGuiApplication>(guiArgc, guiArgv);
}

void ObrazorStopFonts() { fonts.reset(); }

void ObrazorPlayMetafile(platform::Surface& surface, const platform::EnhMetaFile& emf, const platform::RECT& rect) {
    platform::PlayMetafileInto(surface, emf, rect);
}

}  // extern "C"
