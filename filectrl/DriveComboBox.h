#pragma once
// TDriveComboBox: the drive selector, a drop-down list of volumes drawn with their glyphs.

#include <string>

#include "filectrl/DriveList.h"
#include "ui/WinControl.h"

class TDirectoryListBox;
class EntryComboBox;

class TDriveComboBox : public TWinControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TDriveComboBox(TComponent* owner);
    ~TDriveComboBox() override;

    DriveList& Logic() { return list_; }

    // The current drive: a volume's mount path, empty for none.
    const std::string& Drive() const { return list_.Drive(); }
    void SetDrive(const std::string& drive);
    TTextCase TextCase() const { return list_.TextCase(); }
    void SetTextCase(TTextCase value) { list_.SetTextCase(value); }

    TDirectoryListBox* DirList() const;
    void SetDirList(TDirectoryListBox* list);

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);

    TNotifyEvent OnChange;

protected:
    void CreateWnd() override;
    void FontChanged() override;

private:
    EntryComboBox* Combo() const;

    DriveList list_;
    int itemHeight_ = 0;
};
