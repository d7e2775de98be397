#include "filectrl/FilterList.h"

#include "filectrl/FileList.h"

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] + 32) : a[i];
        const char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] + 32) : b[i];
        if (x != y) return false;
    }
    return true;
}

}  // namespace

FilterList::FilterList(TObject* sender) : EntryList(sender) {}

FilterList::~FilterList() {
    if (fileList_) fileList_->filterList_ = nullptr;
}

void FilterList::CreateWindow() {
    MarkHandleAllocated();
    BuildEntries();
}

void FilterList::SetFileList(FileList* list) {
    if (fileList_) fileList_->filterList_ = nullptr;
    fileList_ = list;
    if (!list) return;
    if (list->filterList_ && list->filterList_ != this) list->filterList_->fileList_ = nullptr;
    list->filterList_ = this;
}

void FilterList::SetFilter(const std::string& filter) {
    if (SameIgnoringCase(filter, filter_)) return;
    filter_ = filter;
    if (HandleAllocated()) BuildEntries();
    ChangeStep();
}

// Pairs of description and mask, separated by "|"; a last description without a mask is dropped.
void FilterList::BuildEntries() {
    std::vector<ListEntry> entries;
    masks_.clear();
    std::size_t start = 0;
    for (std::size_t bar = filter_.find('|'); bar != std::string::npos; bar = filter_.find('|', start)) {
        const std::size_t maskEnd = std::min(filter_.find('|', bar + 1), filter_.size());
        entries.push_back({filter_.substr(start, bar - start), TGlyphKind::None});
        masks_.push_back(filter_.substr(bar + 1, maskEnd - bar - 1));
        start = maskEnd + 1;
        if (start > filter_.size()) break;
    }
    ReplaceEntries(std::move(entries), 0);
}

std::string FilterList::Mask() {
    if (ItemIndex() < 0) SelectIndex(Count() - 1);
    return ItemIndex() >= 0 ? masks_[std::size_t(ItemIndex())] : "*.*";
}

void FilterList::Choose(int index) {
    SelectIndex(index);
    ChangeStep();
}

// Before the window exists there are no entries yet, and so no mask worth handing on.
void FilterList::ChangeStep() {
    if (fileList_ && HandleAllocated()) fileList_->SetMask(Mask());
    FireChange();
}
