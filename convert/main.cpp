// obrazor-convert: converts many pictures as the window's "Převeď!" button does, without a
// display.

#include <span>

#include "app/conversion/PictureFormats.h"
#include "convert/ConvertTool.h"
#include "convert/PictureConversion.h"
#include "convert/ProgressBar.h"

int main(int argc, char** argv) {
    RegisterPictureFormats();
    const ToolStreams streams{stdout, stderr, ProgressWanted(stderr)};
    const int status = RunConvertTool(
        std::span<const char* const>(argv + 1, std::size_t(argc - 1)),
        [](const std::string& source, const ConvertOptions& options) {
            return ConvertPicture(source, SettingsFrom(options));
        },
        streams);
    UnregisterPictureFormats();
    return status;
}
