#pragma once
// TFileListBox: the files of a folder under a mask, sorted without regard to letter case.

#include <string>

#include "filectrl/FileList.h"
#include "ui/WinControl.h"

class TDirectoryListBox;
class TFilterComboBox;
class EntryListView;

class TFileListBox : public TWinControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TFileListBox(TComponent* owner);
    ~TFileListBox() override;

    FileList& Logic() { return list_; }

    const std::string& Directory() const { return list_.Directory(); }
    void SetDirectory(const std::string& path);
    const std::string& Mask() const { return list_.Mask(); }
    void SetMask(const std::string& mask);
    TFileType FileType() const { return list_.FileType(); }
    void SetFileType(TFileType type);
    bool ShowGlyphs() const { return list_.ShowGlyphs(); }
    void SetShowGlyphs(bool value);

    // The full path of the selected file; empty when none is selected.
    std::string FileName() const { return list_.FileName(); }
    int ItemIndex() const { return list_.ItemIndex(); }
    // Selects as the user would: reports a change when the index differs from the last reported.
    void SetItemIndex(int index);
    int Count() const { return list_.Count(); }
    const std::string& Items(int index) const { return list_.Entry(index).text; }

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);

    TNotifyEvent OnChange;

protected:
    void CreateWnd() override;
    void FontChanged() override;

private:
    EntryListView* View() const;

    FileList list_;
    int itemHeight_ = 0;
};
