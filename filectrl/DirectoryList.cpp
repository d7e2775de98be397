#include "filectrl/DirectoryList.h"

#include <algorithm>

#include "filectrl/CurrentDirectory.h"
#include "filectrl/DriveList.h"
#include "filectrl/FileList.h"
#include "filectrl/FolderEnumeration.h"
#include "filectrl/NameOrder.h"
#include "filectrl/PathSplit.h"
#include "graphics/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/Volumes.h"

namespace {

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c + 32);
    return text;
}

// Clears a flag when it goes out of scope, also on failure.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

DirectoryList::DirectoryList(TObject* sender) : EntryList(sender), directory_(CurrentDirectoryOrRoot()) {}

DirectoryList::~DirectoryList() {
    if (driveList_) driveList_->dirList_ = nullptr;
    if (fileList_) fileList_->dirList_ = nullptr;
}

void DirectoryList::CreateWindow() {
    MarkHandleAllocated();
    BuildEntries();
}

std::string DirectoryList::Drive() const { return platform::VolumeOf(directory_); }

void DirectoryList::SetFileList(FileList* list) {
    if (fileList_) fileList_->dirList_ = nullptr;
    fileList_ = list;
    if (!list) return;
    if (list->dirList_ && list->dirList_ != this) list->dirList_->fileList_ = nullptr;
    list->dirList_ = this;
}

void DirectoryList::ReadVolumeFlags() {
    const std::uint32_t flags = platform::GetVolumeFlags(Drive());
    caseSensitive_ = (flags & platform::FS_CASE_SENSITIVE) != 0;
    preservesCase_ = (flags & (platform::FS_CASE_SENSITIVE | platform::FS_CASE_IS_PRESERVED)) != 0;
}

void DirectoryList::BuildEntries() {
    ReadVolumeFlags();
    std::vector<ListEntry> entries;
    AddPathEntries(entries);
    currentIndex_ = int(entries.size()) - 1;
    AddSubfolders(entries);
    ReplaceEntries(std::move(entries), currentIndex_);
}

// "/" and each folder above the current one are open; the current folder closes the path.
void DirectoryList::AddPathEntries(std::vector<ListEntry>& entries) const {
    entries.push_back({"/", TGlyphKind::OpenFolder});
    std::size_t start = 1;
    while (start < directory_.size()) {
        std::size_t end = directory_.find('/', start);
        if (end == std::string::npos) end = directory_.size();
        if (end > start) entries.push_back({directory_.substr(start, end - start), TGlyphKind::OpenFolder});
        start = end + 1;
    }
    entries.back().glyph = TGlyphKind::CurrentFolder;
}

// A folder that cannot be read shows no subfolders; the file list reports why.
void DirectoryList::AddSubfolders(std::vector<ListEntry>& entries) const {
    std::vector<ListEntry> folders;
    try {
        EnumerateFolder(directory_, "*.*", platform::FILE_ATTRIBUTE_DIRECTORY, [&](const platform::FindData& entry) {
            if ((entry.attributes & platform::FILE_ATTRIBUTE_DIRECTORY) && entry.name != "." && entry.name != "..")
                folders.push_back({entry.name, TGlyphKind::ClosedFolder});
        });
    } catch (const EInOutError&) {
        folders.clear();
    }
    SortEntries(folders);
    std::move(folders.begin(), folders.end(), std::back_inserter(entries));
}

int DirectoryList::GlyphLeft(int index) const {
    if (index > currentIndex_) return int(std::count(directory_.begin(), directory_.end(), '/')) * 4 + 6;
    return index * 4 + 2;
}

std::string DirectoryList::DisplayText(int index) const {
    const std::string& text = Entry(index).text;
    return preservesCase_ || caseSensitive_ ? text : LowerAscii(text);
}

std::string DirectoryList::PathOf(int index) const {
    if (index == 0) return "/";
    if (index > currentIndex_) return platform::JoinPath(directory_, Entry(index).text);
    if (index == currentIndex_) return directory_;
    // Up to, not including, the (index + 1)-th "/".
    std::size_t slash = 0;
    for (int i = 0; i < index && slash != std::string::npos; ++i) slash = directory_.find('/', slash + 1);
    return directory_.substr(0, slash);
}

bool DirectoryList::SameDirectory(const std::string& path) const {
    return caseSensitive_ ? path == directory_ : LowerAscii(path) == LowerAscii(directory_);
}

void DirectoryList::SetDirectory(const std::string& path) {
    if (path.empty() || SameDirectory(path)) return;
    const SplitPath split = ProcessPath(path);
    if (split.drive != Drive()) {
        FlagScope changing(changingDirectory_);
        if (driveList_) driveList_->SetDrive(split.drive);
        else DriveChange(split.drive);
    }
    if (platform::DirectoryExists(directory_)) platform::SetCurrentDirectory(directory_);
    EnterDirectory(split.folder);
    directory_ = CurrentDirectory();
    if (HandleAllocated()) BuildEntries();
    ChangeStep();
}

void DirectoryList::DriveChange(const std::string& drive) {
    if (drive == Drive()) return;
    if (!drive.empty()) {
        EnterDrive(drive);
        directory_ = CurrentDirectory();
    }
    if (changingDirectory_) return;
    if (HandleAllocated()) BuildEntries();
    ChangeStep();
}

void DirectoryList::Select(int index) { SelectIndex(index); }

void DirectoryList::OpenSelected() {
    if (ItemIndex() >= 0) SetDirectory(PathOf(ItemIndex()));
}

void DirectoryList::ChangeStep() {
    if (fileList_) fileList_->SetDirectory(directory_);
    FireChange();
}
