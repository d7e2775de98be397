#pragma once
// TDriveComboBox: the drive selector, a drop-down list of volumes drawn with their glyphs.

#include <string>

#include "filectrl/BrowserControl.h"
#include "filectrl/DriveList.h"
#include "filectrl/EntryComboBox.h"

class TDirectoryListBox;

class TDriveComboBox : public TBrowserControl<DriveList, EntryComboBox> {
    OBRAZOR_CLASS_RECORD
public:
    explicit TDriveComboBox(TComponent* owner);

    // The current drive: a volume's mount path, empty for none.
    const std::string& Drive() const { return list_.Drive(); }
    void SetDrive(const std::string& drive) { list_.SetDrive(drive); }
    TTextCase TextCase() const { return list_.TextCase(); }
    void SetTextCase(TTextCase value) { list_.SetTextCase(value); }

    TDirectoryListBox* DirList() const;
    void SetDirList(TDirectoryListBox* list);

protected:
    int MinimumItemHeight() const override { return 11; }  // the drive glyph
};
