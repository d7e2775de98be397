#include "filectrl/FileList.h"

#include <array>
#include <optional>

#include "filectrl/CurrentDirectory.h"
#include "filectrl/DirectoryList.h"
#include "filectrl/FilterList.h"
#include "filectrl/FolderEnumeration.h"
#include "filectrl/NameOrder.h"
#include "graphics/Exceptions.h"
#include "platform/FileSystem.h"

namespace {

bool IsProgram(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    std::string extension = name.substr(dot);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = char(c + 32);
    constexpr std::array kPrograms{".exe", ".com", ".bat", ".pif"};
    for (const char* program : kPrograms)
        if (extension == program) return true;
    return false;
}

ListEntry EntryOf(const platform::FindData& data) {
    if (data.attributes & platform::FILE_ATTRIBUTE_DIRECTORY) return {"[" + data.name + "]", TGlyphKind::ClosedFolder};
    return {data.name, IsProgram(data.name) ? TGlyphKind::Executable : TGlyphKind::UnknownFile};
}

std::vector<std::string> MaskParts(const std::string& mask) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= mask.size()) {
        std::size_t end = mask.find(';', start);
        if (end == std::string::npos) end = mask.size();
        if (end > start) parts.push_back(mask.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// Shows the busy cursor from its first Start until it goes out of scope.
class BusyScope {
public:
    BusyScope(const std::function<void()>& start, const std::function<void()>& end) : start_(start), end_(end) {}
    ~BusyScope() {
        if (started_ && end_) end_();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;
    void Start() {
        if (started_) return;
        started_ = true;
        if (start_) start_();
    }

private:
    const std::function<void()>& start_;
    const std::function<void()>& end_;
    bool started_ = false;
};

}  // namespace

FileList::FileList(TObject* sender) : EntryList(sender), directory_(CurrentDirectoryOrRoot()) {}

FileList::~FileList() {
    if (dirList_) dirList_->fileList_ = nullptr;
    if (filterList_) filterList_->fileList_ = nullptr;
}

void FileList::CreateWindow() {
    MarkHandleAllocated();
    ReadEntries();
}

// Folder names are compared exactly: on Linux /Foto and /foto are different folders.
void FileList::SetDirectory(const std::string& path) {
    if (path == directory_) return;
    if (platform::DirectoryExists(directory_)) platform::SetCurrentDirectory(directory_);
    EnterDirectory(path);
    directory_ = CurrentDirectory();
    ReadEntries();
}

void FileList::SetMask(const std::string& mask) {
    if (mask == mask_) return;
    mask_ = mask;
    ReadEntries();
}

void FileList::SetFileType(TFileType type) {
    if (type == fileType_) return;
    fileType_ = type;
    ReadEntries();
}

void FileList::SetShowGlyphs(bool value) {
    if (value == showGlyphs_) return;
    showGlyphs_ = value;
    if (OnEntriesChanged) OnEntriesChanged();
}

void FileList::ReadEntries() {
    if (!HandleAllocated()) return;
    EnterDirectory(directory_);
    std::optional<EInOutError> failure;
    std::vector<ListEntry> entries = CollectEntries(failure);
    ReplaceEntries(std::move(entries), -1);
    ReportChange();
    if (failure) throw *failure;
}

// The entries of the current directory under each part of the mask, sorted. An unreadable
// folder gives none and leaves its failure for after the owner has been told.
std::vector<ListEntry> FileList::CollectEntries(std::optional<EInOutError>& failure) const {
    const std::uint32_t attributeMask = AttributeMask(fileType_);
    const bool normal = (fileType_ & ftNormal) != 0;
    std::vector<ListEntry> entries;
    BusyScope busy(OnBusyStart, OnBusyEnd);
    try {
        for (const std::string& part : MaskParts(mask_)) {
            EnumerateFolder(".", part, attributeMask, [&](const platform::FindData& data) {
                if (!normal && (data.attributes & attributeMask) == 0) return;
                entries.push_back(EntryOf(data));
                if (int(entries.size()) == BusyCursorEntries) busy.Start();
            });
        }
    } catch (const EInOutError& error) {
        entries.clear();
        failure = error;
    }
    SortEntries(entries);
    return entries;
}

void FileList::ReportChange() {
    lastReported_ = ItemIndex();
    FireChange();
}

void FileList::Select(int index) {
    SelectIndex(index);
    if (ItemIndex() != lastReported_) ReportChange();
}

std::string FileList::FileName() const {
    if (ItemIndex() < 0) return {};
    return platform::JoinPath(directory_, Entry(ItemIndex()).text);
}
