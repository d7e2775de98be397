#pragma once
// TDirectoryListBox: the folder list; a double-click or Enter opens the selected folder.

#include <string>

#include "filectrl/DirectoryList.h"
#include "ui/WinControl.h"

class TFileListBox;
class TDriveComboBox;
class EntryListView;

class TDirectoryListBox : public TWinControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TDirectoryListBox(TComponent* owner);
    ~TDirectoryListBox() override;

    DirectoryList& Logic() { return list_; }

    const std::string& Directory() const { return list_.Directory(); }
    void SetDirectory(const std::string& path);
    std::string Drive() const { return list_.Drive(); }

    TFileListBox* FileList() const;
    void SetFileList(TFileListBox* list);
    TDriveComboBox* DriveCombo() const;

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);

    TNotifyEvent OnChange;

protected:
    void CreateWnd() override;
    void FontChanged() override;

private:
    EntryListView* View() const;

    DirectoryList list_;
    int itemHeight_ = 0;
};
