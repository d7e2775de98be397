#include "app/conversion/InputFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/conversion/OutputPath.h"
#include "app/conversion/PictureFormats.h"
#include "graphics/Picture.h"

namespace fs = std::filesystem;

namespace {

bool IsHidden(const fs::path& path) { return path.filename().string().starts_with('.'); }

bool IsWantedPicture(const fs::path& path, const std::set<std::string>& extensions) {
    const std::string name = path.string();
    return !IsHidden(path) && !IsConvertedOutput(name) && extensions.contains(AnsiLowerCase(PathExtension(name)));
}

// Collects one folder; recursion does not follow links to folders, which could loop.
class FolderWalker {
public:
    FolderWalker(const std::set<std::string>& extensions, bool recursive, InputList& list)
        : extensions_(extensions), recursive_(recursive), list_(list) {}

    void Walk(const fs::path& folder) {
        std::vector<fs::path> files, folders;
        if (!ReadEntries(folder, files, folders)) return;
        std::sort(files.begin(), files.end());
        std::sort(folders.begin(), folders.end());
        for (const auto& file : files) list_.files.push_back(file.string());
        for (const auto& inner : folders) Walk(inner);
    }

private:
    bool ReadEntries(const fs::path& folder, std::vector<fs::path>& files, std::vector<fs::path>& folders) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
            std::error_code entryError;  // a dangling link is just not a picture
            if (it->is_regular_file(entryError) && IsWantedPicture(it->path(), extensions_))
                files.push_back(it->path());
            else if (recursive_ && IsSubfolder(*it)) folders.push_back(it->path());
        }
        if (error) list_.errors.push_back(folder.string() + ": cannot read the folder: " + error.message());
        return !error;
    }

    static bool IsSubfolder(const fs::directory_entry& entry) {
        std::error_code error;
        return !IsHidden(entry.path()) && entry.is_directory(error) && !entry.is_symlink(error);
    }

    const std::set<std::string>& extensions_;
    bool recursive_;
    InputList& list_;
};

}  // namespace

std::set<std::string> PictureExtensions() {
    std::set<std::string> extensions;
    for (const TPictureFormat& format : PictureFormats()) extensions.insert(format.extension);
    return extensions;
}

bool IsConvertedOutput(const std::string& path) { return path.ends_with(kOutputSuffix); }

InputList ExpandInputs(const std::vector<std::string>& inputs, const std::set<std::string>& extensions,
                       bool recursive) {
    InputList list;
    FolderWalker walker(extensions, recursive, list);
    for (const std::string& input : inputs) {
        std::error_code error;
        if (fs::is_directory(input, error)) walker.Walk(input);
        else list.files.push_back(input);
    }
    return list;
}
