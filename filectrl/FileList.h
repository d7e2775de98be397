#pragma once
// The file list's logic: the entries of Directory that match Mask and FileType, sorted without
// regard to letter case, one selected at most, and the change reports to its owner.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "filectrl/EntryList.h"
#include "filectrl/FileType.h"
#include "graphics/Exceptions.h"

class DirectoryList;
class FilterList;

// From this many entries on a reading shows the busy cursor.
constexpr int BusyCursorEntries = 101;

class FileList : public EntryList {
public:
    explicit FileList(TObject* sender = nullptr);
    ~FileList() override;

    // The window exists: read the entries and report the change.
    void CreateWindow();

    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& path);
    const std::string& Mask() const { return mask_; }
    void SetMask(const std::string& mask);
    TFileType FileType() const { return fileType_; }
    void SetFileType(TFileType type);
    bool ShowGlyphs() const { return showGlyphs_; }
    void SetShowGlyphs(bool value);

    // The full path of the selected entry; empty when none is selected.
    std::string FileName() const;

    // The user selected entry `index` (mouse or keyboard); reported only when it differs from
    // the index last reported.
    void Select(int index);

    // Shown for long readings: the first starts the busy cursor, the second restores it.
    std::function<void()> OnBusyStart;
    std::function<void()> OnBusyEnd;

private:
    friend class DirectoryList;
    friend class FilterList;
    void ReadEntries();
    std::vector<ListEntry> CollectEntries(std::optional<EInOutError>& failure) const;
    void ReportChange();

    std::string directory_;
    std::string mask_ = "*.*";
    TFileType fileType_ = ftNormal;
    bool showGlyphs_ = false;
    int lastReported_ = -1;
    DirectoryList* dirList_ = nullptr;
    FilterList* filterList_ = nullptr;
};
