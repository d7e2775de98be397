// Pictures and folders named on the command line ("Open with" in a file manager): a folder is
// opened; for pictures, the first one's folder is listed with it selected, as a dropped file is.

#include <filesystem>

#include "app/Unit1.h"

namespace {

// Relative paths are the caller's, from the folder the program started in.
std::string Absolute(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error).lexically_normal();
    if (error) return path;
    // "folder/" names the folder itself.
    if (!absolute.has_filename() && absolute != absolute.root_path()) absolute = absolute.parent_path();
    return absolute.string();
}

}  // namespace

void TForm1::OpenPaths(const std::vector<std::string>& paths) {
    // Names that no longer exist or are no pictures are passed over: the first one left decides.
    for (const std::string& given : paths) {
        const std::string path = Absolute(given);
        if (!CanDropFile(path)) continue;
        // Further pictures of the same folder join the selection once the file list holds
        // several; until then the first one is chosen.
        FormDropFile(this, path);
        return;
    }
}
