#include "filectrl/EntryList.h"

void EntryList::ReplaceEntries(std::vector<ListEntry> entries, int selected) {
    entries_ = std::move(entries);
    itemIndex_ = selected >= 0 && selected < Count() ? selected : -1;
    if (OnEntriesChanged) OnEntriesChanged();
}

void EntryList::SelectIndex(int index) {
    if (index < -1 || index >= Count()) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    if (OnSelectionChanged) OnSelectionChanged();
}

std::vector<int> EntryList::SelectedRows() const {
    if (itemIndex_ < 0) return {};
    return {itemIndex_};
}

void EntryList::NotifySelectionChanged() {
    if (OnSelectionChanged) OnSelectionChanged();
}

void EntryList::FireChange() {
    if (OnChange) OnChange(sender_ ? sender_ : this);
}
