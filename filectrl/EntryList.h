#pragma once
// What the four browser lists have in common: entries of text and glyph, one selected index,
// and the hooks through which a view follows them without polling.

#include <functional>
#include <string>
#include <vector>

#include "graphics/Persistent.h"

enum class TGlyphKind {
    None,
    Floppy,
    Hard,
    Network,
    CDRom,
    Ram,
    OpenFolder,
    CurrentFolder,
    ClosedFolder,
    Executable,
    UnknownFile
};

struct ListEntry {
    std::string text;  // bytes as stored; names need not be valid UTF-8
    TGlyphKind glyph = TGlyphKind::None;
};

class EntryList : public TObject {
public:
    // `sender` is the object handlers see as Sender (the view); null means the list itself.
    explicit EntryList(TObject* sender) : sender_(sender) {}
    ~EntryList() override = default;
    EntryList(const EntryList&) = delete;
    EntryList& operator=(const EntryList&) = delete;

    int Count() const { return int(entries_.size()); }
    const ListEntry& Entry(int index) const { return entries_.at(std::size_t(index)); }
    int ItemIndex() const { return itemIndex_; }
    // Every selected entry, in list order; lists that select one entry at most give ItemIndex.
    virtual std::vector<int> SelectedRows() const;
    // True while the entries are replaced by the same folder read again: a view keeps its place.
    bool KeepsViewPlace() const { return keepViewPlace_; }
    bool HandleAllocated() const { return handleAllocated_; }
    TObject* Sender() const { return sender_; }

    TNotifyEvent OnChange;
    // For a view: the entries were replaced; the selection moved.
    std::function<void()> OnEntriesChanged;
    std::function<void()> OnSelectionChanged;

protected:
    void ReplaceEntries(std::vector<ListEntry> entries, int selected);
    void SelectIndex(int index);
    void FireChange();
    void MarkHandleAllocated() { handleAllocated_ = true; }
    void SetKeepsViewPlace(bool value) { keepViewPlace_ = value; }
    // Tells the view that the selection changed where SelectIndex would not see it.
    void NotifySelectionChanged();
    std::vector<ListEntry>& Entries() { return entries_; }

private:
    TObject* sender_;
    std::vector<ListEntry> entries_;
    int itemIndex_ = -1;
    bool handleAllocated_ = false;
    bool keepViewPlace_ = false;
};
