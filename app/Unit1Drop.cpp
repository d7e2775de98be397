// Files dropped on the main window: a picture file is selected in the lists as if the user had
// clicked it there, a folder is opened, anything else is refused.

#include <filesystem>

#include "app/Unit1.h"
#include "filectrl/DirectoryListBox.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "graphics/Picture.h"
#include "platform/FileSystem.h"

namespace {

constexpr const char* kAllFilesMask = "*.*";

int IndexOfName(const TFileListBox& list, const std::string& name) {
    for (int i = 0; i < list.Count(); ++i)
        if (list.Items(i) == name) return i;
    return -1;
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

void TForm1::FormDropFile(TObject*, const std::string& path) {
    if (platform::DirectoryExists(path)) {
        DirectoryListBox1->SetDirectory(path);
        return;
    }
    const std::filesystem::path file(path);
    DirectoryListBox1->SetDirectory(file.parent_path().string());
    const std::string name = file.filename().string();
    int index = IndexOfName(*FileListBox1, name);
    // A file the chosen type hides is shown under all files, where the user would have found it.
    const int allFiles = AllFilesEntry(*FilterComboBox1);
    if (index < 0 && allFiles >= 0 && FilterComboBox1->ItemIndex() != allFiles) {
        FilterComboBox1->SetItemIndex(allFiles);
        index = IndexOfName(*FileListBox1, name);
    }
    if (index >= 0) FileListBox1->SetItemIndex(index);
}
