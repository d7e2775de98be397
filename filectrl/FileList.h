#pragma once
// The file list's logic: the entries of Directory that match Mask and FileType, sorted without
// regard to letter case, one selected at most, and the change reports to its owner.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "filectrl/EntryList.h"
#include "filectrl/FileType.h"
#include "graphics/Exceptions.h"

class DirectoryList;
class FilterList;

// From this many entries on a reading shows the busy cursor.
constexpr int BusyCursorEntries = 101;

class FileList : public EntryList {
public:
    explicit FileList(TObject* sender = nullptr);
    ~FileList() override;

    // The window exists: read the entries and report the change.
    void CreateWindow();

    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& path);
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& mask);
    TFileType FileType() const { return fileType_; }
    void SetFileType(TFileType type);
    bool ShowGlyphs() const { return showGlyphs_; }
    void SetShowGlyphs(bool value);

    // The full path of the selected entry; empty when none is selected.
    std::string FileName() const;

    // The user selected entry `index` alone (mouse or keyboard); reported only when it differs
    // from the index last reported.
    void Select(int index);

    // Several entries may be selected at once. ItemIndex is the focused one among them: the
    // entry whose file the owner shows, and the one whose change is reported.
    std::vector<int> SelectedRows() const override { return selection_; }
    // The full paths of the selected files, in list order.
    std::vector<std::string> SelectedFiles() const;
    // The user selected `rows`, with the keyboard focus on `current`. The focus follows
    // `current` while it is selected, else stays where it was while that is selected, else goes
    // to the first selected entry.
    void SelectRows(std::vector<int> rows, int current);
    // Selects every entry whose name is among `names`, the focus on the first name listed, as
    // the user would select them.
    void SelectNames(const std::vector<std::string>& names);
    // Reads the entries again, keeping the selected names selected and the view where it was.
    // A change is reported only when the focused entry is gone.
    void Reread();

    // After every change of the set of selected entries.
    std::function<void()> OnSelectionSetChanged;

    // Shown for long readings: the first starts the busy cursor, the second restores it.
    std::function<void()> OnBusyStart;
    std::function<void()> OnBusyEnd;

private:
    friend class DirectoryList;
    friend class FilterList;
    void ReadEntries();
    std::vector<ListEntry> CollectEntries(std::optional<EInOutError>& failure) const;
    void ReportChange();
    void ApplySelection(std::vector<int> rows, int focus);
    std::vector<std::string> SelectedNames() const;

    std::string directory_;
    std::string mask_ = "*.*";
    TFileType fileType_ = ftNormal;
    bool showGlyphs_ = false;
    int lastReported_ = -1;
    std::vector<int> selection_;  // sorted, without repeats
    DirectoryList* dirList_ = nullptr;
    FilterList* filterList_ = nullptr;
};
