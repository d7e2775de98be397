#pragma once
// TDirectoryListBox: the folder list; a double-click or Enter opens the selected folder.

#include <string>

#include "filectrl/BrowserControl.h"
#include "filectrl/DirectoryList.h"
#include "filectrl/EntryListView.h"

class TFileListBox;
class TDriveComboBox;

class TDirectoryListBox : public TBrowserControl<DirectoryList, EntryListView> {
    OBRAZOR_CLASS_RECORD
public:
    explicit TDirectoryListBox(TComponent* owner);

    const std::string& Directory() const { return list_.Directory(); }
    void SetDirectory(const std::string& path) { list_.SetDirectory(path); }
    std::string Drive() const { return list_.Drive(); }

    TFileListBox* FileList() const;
    void SetFileList(TFileListBox* list);
    TDriveComboBox* DriveCombo() const;

protected:
    int MinimumItemHeight() const override { return 16; }  // the folder glyph and a pixel
};
