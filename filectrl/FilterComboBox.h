#pragma once
// TFilterComboBox: the file-type filter, a drop-down list of descriptions; the chosen entry's
// mask goes to the linked file list.

#include <string>

#include "filectrl/FilterList.h"
#include "ui/WinControl.h"

class TFileListBox;
class EntryComboBox;

class TFilterComboBox : public TWinControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TFilterComboBox(TComponent* owner);
    ~TFilterComboBox() override;

    FilterList& Logic() { return list_; }

    const std::string& Filter() const { return list_.Filter(); }
    void SetFilter(const std::string& filter);
    // The chosen entry's mask.
    std::string Mask() { return list_.Mask(); }
    int ItemIndex() const { return list_.ItemIndex(); }
    // Chooses as the user would: sets the file list's mask and reports the change.
    void SetItemIndex(int index);
    int Count() const { return list_.Count(); }
    const std::string& Items(int index) const { return list_.Entry(index).text; }

    TFileListBox* FileList() const;
    void SetFileList(TFileListBox* list);

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);

    TNotifyEvent OnChange;

protected:
    void CreateWnd() override;
    void FontChanged() override;

private:
    EntryComboBox* Combo() const;

    FilterList list_;
    int itemHeight_ = 0;
};
