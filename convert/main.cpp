// obrazor-convert: converts many pictures as the window's "Převeď!" button does, without a
// display.

#include <QGuiApplication>
#include <memory>
#include <span>

#include "app/conversion/PictureFormats.h"
#include "convert/ConvertTool.h"
#include "convert/MetafileInputs.h"
#include "convert/PictureConversion.h"
#include "convert/ProgressBar.h"

int main(int argc, char** argv) {
    // Text in metafiles is drawn with the GUI library's fonts, which need its application object;
    // the offscreen platform needs no display. It starts, on this thread, only for a run that
    // holds a metafile: starting it costs more than converting a small photo.
    int guiArgc = 3;
    char offscreenOption[] = "-platform", offscreen[] = "offscreen";
    char* guiArgv[] = {argv[0], offscreenOption, offscreen, nullptr};
    std::unique_ptr<QGuiApplication> fonts;
    const auto startFonts = [&](const std::vector<std::string>& files) {
        if (HoldsMetafile(files)) fonts = std::make_unique<QGuiApplication>(guiArgc, guiArgv);
    };
    // The tool's report is its own: the GUI library's diagnostics stay out of it.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    RegisterPictureFormats();
    const ToolStreams streams{stdout, stderr, ProgressWanted(stderr)};
    const int status = RunConvertTool(
        std::span<const char* const>(argv + 1, std::size_t(argc - 1)),
        [](const std::string& source, const ConvertOptions& options) {
            return ConvertPicture(source, SettingsFrom(options));
        },
        streams, startFonts);
    UnregisterPictureFormats();
    return status;
}
