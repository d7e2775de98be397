#include "filectrl/FileList.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>

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

bool Holds(const std::vector<int>& rows, int row) { return std::binary_search(rows.begin(), rows.end(), row); }

int FocusOf(const std::vector<int>& rows, int current, int previous) {
    if (Holds(rows, current)) return current;
    if (Holds(rows, previous)) return previous;
    return rows.empty() ? -1 : rows.front();
}

std::vector<int> RowsNamed(const std::vector<ListEntry>& entries, const std::set<std::string>& names) {
    std::vector<int> rows;
    for (int i = 0; i < int(entries.size()); ++i)
        if (names.contains(entries[std::size_t(i)].text)) rows.push_back(i);
    return rows;
}

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
    const bool hadSelection = !selection_.empty();
    selection_.clear();
    ReplaceEntries(std::move(entries), -1);
    if (hadSelection && OnSelectionSetChanged) OnSelectionSetChanged();
    ReportChange();
    if (failure) throw *failure;
}

void FileList::Reread() {
    if (!HandleAllocated()) return;
    const std::vector<std::string> selected = SelectedNames();
    const std::string focused = ItemIndex() >= 0 ? Entry(ItemIndex()).text : std::string();
    EnterDirectory(directory_);
    std::optional<EInOutError> failure;
    std::vector<ListEntry> entries = CollectEntries(failure);
    std::vector<int> rows = RowsNamed(entries, {selected.begin(), selected.end()});
    const std::vector<int> focusRows = RowsNamed(entries, {focused});
    const int focus = FocusOf(rows, focusRows.empty() ? -1 : focusRows.front(), -1);
    selection_ = std::move(rows);
    SetKeepsViewPlace(true);
    ReplaceEntries(std::move(entries), focus);
    SetKeepsViewPlace(false);
    if (SelectedNames() != selected && OnSelectionSetChanged) OnSelectionSetChanged();
    // The same file under a new index is no new choice: the owner already shows it.
    if (!focusRows.empty() || focused.empty()) lastReported_ = ItemIndex();
    if (ItemIndex() != lastReported_) ReportChange();
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
    if (index < 0 || index >= Count()) SelectRows({}, -1);
    else SelectRows({index}, index);
}

void FileList::SelectRows(std::vector<int> rows, int current) {
    std::erase_if(rows, [this](int row) { return row < 0 || row >= Count(); });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const int focus = FocusOf(rows, current, ItemIndex());
    ApplySelection(std::move(rows), focus);
    if (ItemIndex() != lastReported_) ReportChange();
}

void FileList::SelectNames(const std::vector<std::string>& names) {
    const std::vector<int> rows = RowsNamed(Entries(), {names.begin(), names.end()});
    int focus = -1;
    for (auto name = names.begin(); name != names.end() && focus < 0; ++name) {
        const std::vector<int> named = RowsNamed(Entries(), {*name});
        if (!named.empty()) focus = named.front();
    }
    SelectRows(rows, focus);
}

void FileList::ApplySelection(std::vector<int> rows, int focus) {
    const bool setChanged = rows != selection_;
    const bool focusChanged = focus != ItemIndex();
    selection_ = std::move(rows);
    if (focusChanged) SelectIndex(focus);
    else if (setChanged) NotifySelectionChanged();
    if (setChanged && OnSelectionSetChanged) OnSelectionSetChanged();
}

std::vector<std::string> FileList::SelectedNames() const {
    std::vector<std::string> names;
    for (const int row : selection_) names.push_back(Entry(row).text);
    return names;
}

std::vector<std::string> FileList::SelectedFiles() const {
    std::vector<std::string> files;
    for (const int row : selection_) files.push_back(platform::JoinPath(directory_, Entry(row).text));
    return files;
}

std::string FileList::FileName() const {
    if (ItemIndex() < 0) return {};
    return platform::JoinPath(directory_, Entry(ItemIndex()).text);
}
