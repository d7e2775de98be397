// Pictures and folders named on the command line ("Open with" in a file manager): a folder is
// opened; for pictures, the first one's folder is listed with the pictures of that folder
// selected and the first one focused, as dropped files are.

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
    std::vector<std::string> usable;
    for (const std::string& given : paths)
        if (const std::string path = Absolute(given); CanDropFile(path)) usable.push_back(path);
    if (!usable.empty()) FormDropFiles(this, usable);
}
