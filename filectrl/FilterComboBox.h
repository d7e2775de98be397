#pragma once
// TFilterComboBox: the file-type filter, a drop-down list of descriptions; the chosen entry's
// mask goes to the linked file list.

#include <string>

#include "filectrl/BrowserControl.h"
#include "filectrl/EntryComboBox.h"
#include "filectrl/FilterList.h"

class TFileListBox;

class TFilterComboBox : public TBrowserControl<FilterList, EntryComboBox> {
    OBRAZOR_CLASS_RECORD
public:
    explicit TFilterComboBox(TComponent* owner);

    const std::string& Filter() const { return list_.Filter(); }
    void SetFilter(const std::string& filter) { list_.SetFilter(filter); }
    // The chosen entry's mask.
    std::string Mask() { return list_.Mask(); }
    int ItemIndex() const { return list_.ItemIndex(); }
    // Chooses as the user would: sets the file list's mask and reports the change.
    void SetItemIndex(int index) { list_.Choose(index); }
    int Count() const { return list_.Count(); }
    const std::string& Items(int index) const { return list_.Entry(index).text; }
    const std::string& MaskAt(int index) const { return list_.MaskAt(index); }

    TFileListBox* FileList() const;
    void SetFileList(TFileListBox* list);
};
