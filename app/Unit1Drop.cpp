// Files dropped on the main window: picture files are selected in the lists as if the user had
// picked them there, a folder is opened, anything else is refused.

#include <filesystem>

#include "app/Unit1.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "graphics/Picture.h"
#include "platform/FileSystem.h"

namespace {

constexpr const char* kAllFilesMask = "*.*";

bool AllListed(const TFileListBox& list, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        bool listed = false;
        for (int i = 0; i < list.Count() && !listed; ++i) listed = list.Items(i) == name;
        if (!listed) return false;
    }
    return true;
}

int AllFilesEntry(const TFilterComboBox& filter) {
    for (int i = 0; i < filter.Count(); ++i)
        if (filter.MaskAt(i) == kAllFilesMask) return i;
    return -1;
}

}  // namespace

bool TForm1::CanDropFile(const std::string& path) {
    if (platform::DirectoryExists(path)) return true;
    return platform::FileExists(path) && FormatRegistry::Instance().FindByExtension(PathExtension(path));
}

void TForm1::FormDropFiles(TObject*, const std::vector<std::string>& paths) {
    if (platform::DirectoryExists(paths.front())) {
        DirectoryListBox1->SetDirectory(paths.front());
        return;
    }
    std::vector<std::string> files;
    for (const std::string& path : paths)
        if (!platform::DirectoryExists(path)) files.push_back(path);
    SelectFiles(files);
}

void TForm1::SelectFiles(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    const std::filesystem::path folder = std::filesystem::path(paths.front()).parent_path();
    DirectoryListBox1->SetDirectory(folder.string());
    std::vector<std::string> names;
    for (const std::string& path : paths) {
        const std::filesystem::path file(path);
        if (file.parent_path() == folder) names.push_back(file.filename().string());
    }
    // Files the chosen type hides are shown under all files, where the user would have found them.
    const int allFiles = AllFilesEntry(*FilterComboBox1);
    if (!AllListed(*FileListBox1, names) && allFiles >= 0 && FilterComboBox1->ItemIndex() != allFiles)
        FilterComboBox1->SetItemIndex(allFiles);
    FileListBox1->SelectNames(names);
}
