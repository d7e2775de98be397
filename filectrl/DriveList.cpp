#include "filectrl/DriveList.h"

#include <algorithm>

#include "filectrl/CurrentDirectory.h"
#include "filectrl/DirectoryList.h"

namespace {

TGlyphKind GlyphOf(unsigned type) {
    switch (type) {
    case platform::DRIVE_REMOVABLE: return TGlyphKind::Floppy;
    case platform::DRIVE_REMOTE: return TGlyphKind::Network;
    case platform::DRIVE_CDROM: return TGlyphKind::CDRom;
    case platform::DRIVE_RAMDISK: return TGlyphKind::Ram;
    default: return TGlyphKind::Hard;
    }
}

bool Listed(unsigned type) { return type >= platform::DRIVE_REMOVABLE && type <= platform::DRIVE_RAMDISK; }

}  // namespace

DriveList::DriveList(TObject* sender) : EntryList(sender), drive_(platform::VolumeOf(CurrentDirectoryOrRoot())) {}

DriveList::~DriveList() {
    if (dirList_) dirList_->driveList_ = nullptr;
}

void DriveList::CreateWindow() {
    MarkHandleAllocated();
    BuildEntries();
    SetDrive(drive_);
}

void DriveList::SetTextCase(TTextCase value) {
    if (value == textCase_) return;
    textCase_ = value;
    if (HandleAllocated()) {
        BuildEntries();
        SelectIndex(IndexOf(drive_));
    }
}

void DriveList::SetDirList(DirectoryList* list) {
    if (dirList_) dirList_->driveList_ = nullptr;
    dirList_ = list;
    if (!list) return;
    if (list->driveList_ && list->driveList_ != this) list->driveList_->dirList_ = nullptr;
    list->driveList_ = this;
}

void DriveList::BuildEntries() {
    volumes_.clear();
    std::vector<ListEntry> entries;
    for (platform::Volume& volume : platform::GetLogicalVolumes()) {
        if (!Listed(volume.type)) continue;
        entries.push_back(EntryFor(volume));
        volumes_.push_back(std::move(volume));
    }
    ReplaceEntries(std::move(entries), -1);
}

ListEntry DriveList::EntryFor(const platform::Volume& volume) const {
    const std::string& path = volume.mountPath;
    switch (volume.type) {
    case platform::DRIVE_REMOVABLE: return {path, TGlyphKind::Floppy};  // no label: never wake the medium
    case platform::DRIVE_REMOTE: return {path + " " + NetworkText(path), TGlyphKind::Network};
    default: return {path + " " + VolumeText(path), GlyphOf(volume.type)};
    }
}

std::string DriveList::VolumeText(const std::string& mountPath) const {
    std::string label;
    if (!platform::GetVolumeLabel(mountPath, label)) label.clear();
    return "[" + Fold(label) + "]";
}

std::string DriveList::NetworkText(const std::string& mountPath) const {
    std::string remote;
    if (!platform::WNetGetConnection(mountPath, remote)) return VolumeText(mountPath);
    return Fold(remote);
}

// ASCII letters only, so the bytes of other characters stay valid UTF-8.
std::string DriveList::Fold(std::string text) const {
    const bool upper = textCase_ == TTextCase::tcUpperCase;
    for (char& c : text) {
        if (upper && c >= 'a' && c <= 'z') c = char(c - 32);
        if (!upper && c >= 'A' && c <= 'Z') c = char(c + 32);
    }
    return text;
}

int DriveList::IndexOf(const std::string& drive) const {
    const auto found =
        std::find_if(volumes_.begin(), volumes_.end(), [&](const platform::Volume& v) { return v.mountPath == drive; });
    return found == volumes_.end() ? -1 : int(found - volumes_.begin());
}

void DriveList::Refresh() {
    if (!HandleAllocated()) return;
    BuildEntries();
    SelectIndex(IndexOf(drive_));
}

void DriveList::SetDrive(const std::string& drive) {
    if (ItemIndex() >= 0 && drive == drive_) return;
    if (!drive.empty() && IndexOf(drive) < 0) Refresh();  // mounted since the list was built
    const std::string previous = drive_;
    const int previousIndex = ItemIndex();
    drive_ = drive;
    SelectIndex(drive.empty() ? -1 : IndexOf(drive));
    if (dirList_) {
        try {
            dirList_->DriveChange(drive);
        } catch (...) {
            // Show the drive the lists are on. When the new drive could not be entered that is
            // the former one, and choosing the failed drive again tries again; when the failure
            // came later (its folder could be entered, not listed) the lists are already there.
            if (dirList_->Drive() != drive) {
                drive_ = previous;
                SelectIndex(previousIndex);
            }
            throw;
        }
    }
    FireChange();
}

void DriveList::Choose(int index) {
    if (index >= 0 && index < Count()) SetDrive(volumes_[std::size_t(index)].mountPath);
}
