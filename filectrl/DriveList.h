#pragma once
// The drive selector's logic: one entry per listed volume, the current drive (a volume's mount
// path; empty for none), and the directory list it drives.

#include <string>
#include <vector>

#include "filectrl/EntryList.h"
#include "filectrl/FileType.h"
#include "platform/Volumes.h"

class DirectoryList;

class DriveList : public EntryList {
public:
    explicit DriveList(TObject* sender = nullptr);
    ~DriveList() override;

    // The window exists: list the volumes and select the drive.
    void CreateWindow();

    const std::string& Drive() const { return drive_; }
    // Selects the drive and tells the directory list; a drive the list cannot enter is not kept,
    // one it entered is kept even when a later step of the chain fails.
    void SetDrive(const std::string& drive);
    // The user chose entry `index`.
    void Choose(int index);
    // Lists the volumes again (media come and go while the program runs), keeping the drive.
    void Refresh();

    TTextCase TextCase() const { return textCase_; }
    void SetTextCase(TTextCase value);

    DirectoryList* DirList() const { return dirList_; }
    void SetDirList(DirectoryList* list);

    // The volume behind entry `index`.
    const platform::Volume& VolumeAt(int index) const { return volumes_.at(std::size_t(index)); }

private:
    friend class DirectoryList;
    void BuildEntries();
    ListEntry EntryFor(const platform::Volume& volume) const;
    std::string VolumeText(const std::string& mountPath) const;
    std::string NetworkText(const std::string& mountPath) const;
    std::string Fold(std::string text) const;
    int IndexOf(const std::string& drive) const;

    std::string drive_;
    TTextCase textCase_ = TTextCase::tcLowerCase;
    DirectoryList* dirList_ = nullptr;
    std::vector<platform::Volume> volumes_;
};
