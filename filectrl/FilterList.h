#pragma once
// The file-type filter's logic: description and mask pairs parsed from the Filter text; the
// chosen mask goes to the linked file list.

#include <string>
#include <vector>

#include "filectrl/EntryList.h"

class FileList;

class FilterList : public EntryList {
public:
    explicit FilterList(TObject* sender = nullptr);
    ~FilterList() override;

    // The window exists: build the entries and select the first, leaving the file list alone.
    void CreateWindow();

    const std::string& Filter() const { return filter_; }
    // A text that differs without regard to case rebuilds the entries (once the window exists)
    // and runs the change step.
    void SetFilter(const std::string& filter);
    // The selected entry's mask (selecting the last entry when none is), "*.*" for no entries.
    std::string Mask();
    const std::string& MaskAt(int index) const { return masks_.at(std::size_t(index)); }

    // The user chose entry `index`.
    void Choose(int index);

    FileList* GetFileList() const { return fileList_; }
    void SetFileList(FileList* list);

private:
    friend class FileList;
    void BuildEntries();
    void ChangeStep();

    std::string filter_ = "All files (*.*)|*.*";
    std::vector<std::string> masks_;
    FileList* fileList_ = nullptr;
};
