// obrazor-convert: converts many pictures as the window's "Převeď!" button does, without a
// display.

#include <span>

#include "app/conversion/PictureFormats.h"
#include "convert/ConvertTool.h"
#include "convert/LoadedMetafilePlayer.h"
#include "convert/MetafileInputs.h"
#include "app/conversion/PictureConversion.h"
#include "convert/ProgressBar.h"
#include "platform/QuietStderr.h"

int main(int argc, char** argv) {
    // The metafile player and its fonts are loaded, on this thread, only for a run that holds a
    // metafile; a player that cannot be loaded fails the metafiles, not the run.
    const auto loadPlayer = [](const std::vector<std::string>& files) {
        if (HoldsMetafile(files)) LoadMetafilePlayer();
    };
    RegisterPictureFormats();
    // The tool's own lines keep the standard error it started with, which libraries that print
    // there are kept from while they decode.
    const ToolStreams streams{stdout, platform::ProgramStderr(), ProgressWanted(stderr)};
    const int status = RunConvertTool(
        std::span<const char* const>(argv + 1, std::size_t(argc - 1)),
        [](const std::string& source, const ConvertOptions& options) {
            return ConvertPicture(source, SettingsFrom(options));
        },
        streams, loadPlayer);
    UnregisterPictureFormats();
    UnloadMetafilePlayer();
    return status;
}
