#pragma once
// TFileListBox: the files of a folder under a mask, sorted without regard to letter case.

#include <string>
#include <vector>

#include "filectrl/BrowserControl.h"
#include "filectrl/EntryListView.h"
#include "filectrl/FileList.h"

class TFileListBox : public TBrowserControl<FileList, EntryListView> {
    OBRAZOR_CLASS_RECORD
public:
    explicit TFileListBox(TComponent* owner);

    const std::string& Directory() const { return list_.Directory(); }
    void SetDirectory(const std::string& path) { list_.SetDirectory(path); }
    const std::string& Mask() const { return list_.Mask(); }
    void SetMask(const std::string& mask) { list_.SetMask(mask); }
    TFileType FileType() const { return list_.FileType(); }
    void SetFileType(TFileType type) { list_.SetFileType(type); }
    bool ShowGlyphs() const { return list_.ShowGlyphs(); }
    void SetShowGlyphs(bool value);

    // The full path of the selected file; empty when none is selected.
    std::string FileName() const { return list_.FileName(); }
    int ItemIndex() const { return list_.ItemIndex(); }
    // Selects as the user would: reports a change when the index differs from the last reported.
    void SetItemIndex(int index) { list_.Select(index); }
    // Ctrl and Shift with the mouse and the arrows, and Ctrl+A, select several files; ItemIndex
    // and FileName stay with the focused one.
    std::vector<std::string> SelectedFiles() const { return list_.SelectedFiles(); }
    int SelectedCount() const { return int(list_.SelectedRows().size()); }
    // Selects the files of these names, as the user would.
    void SelectNames(const std::vector<std::string>& names) { list_.SelectNames(names); }
    // Reads the folder again, keeping the selection and the scroll position.
    void Reread() { list_.Reread(); }
    int Count() const { return list_.Count(); }
    const std::string& Items(int index) const { return list_.Entry(index).text; }

    // After every change of the set of selected files.
    TNotifyEvent OnSelectionChange;

protected:
    int MinimumItemHeight() const override { return list_.ShowGlyphs() ? 16 : 0; }
};
