#pragma once
// The directory list's logic: the root and each folder above the current one (open), the
// current folder, and its subfolders (closed); it moves the process's current directory and
// drives the file list.

#include <string>

#include "filectrl/EntryList.h"

class DriveList;
class FileList;

class DirectoryList : public EntryList {
public:
    explicit DirectoryList(TObject* sender = nullptr);
    ~DirectoryList() override;

    // The window exists: build the entries for Directory and select the current folder.
    void CreateWindow();

    const std::string& Directory() const { return directory_; }
    // Enters the folder (relative names are taken from the current directory); a folder that
    // cannot be entered raises EInOutError and leaves the list as it was.
    void SetDirectory(const std::string& path);
    // The volume holding Directory.
    std::string Drive() const;
    // Told by the drive selector: enter that volume unless Directory is already on it.
    void DriveChange(const std::string& drive);

    // The user selected entry `index` (a single click only selects).
    void Select(int index);
    // The user opened the selected entry (double-click or Enter).
    void OpenSelected();

    // The full path entry `index` stands for.
    std::string PathOf(int index) const;
    // Left edge of entry `index`'s glyph, in pixels; the text starts 4 pixels right of the glyph.
    int GlyphLeft(int index) const;
    // Entry `index` as shown: lower case on a volume that neither keeps nor tells letter case.
    std::string DisplayText(int index) const;

    bool CaseSensitive() const { return caseSensitive_; }
    bool PreservesCase() const { return preservesCase_; }

    FileList* GetFileList() const { return fileList_; }
    void SetFileList(FileList* list);
    DriveList* DriveSelector() const { return driveList_; }

private:
    friend class DriveList;
    friend class FileList;
    void BuildEntries();
    void ReadVolumeFlags();
    void AddPathEntries(std::vector<ListEntry>& entries) const;
    void AddSubfolders(std::vector<ListEntry>& entries) const;
    bool SameDirectory(const std::string& path) const;
    void ChangeStep();

    std::string directory_;
    FileList* fileList_ = nullptr;
    DriveList* driveList_ = nullptr;
    bool caseSensitive_ = true;
    bool preservesCase_ = true;
    bool changingDirectory_ = false;
    int currentIndex_ = 0;
};
