#pragma once
// Volumes in place of drive letters: the mounted file systems a user browses, read from the
// mount table. A volume is named by its mount path, which stands where Windows shows "c:".

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Drive types, with the values GetDriveTypeA returns.
constexpr unsigned DRIVE_UNKNOWN = 0;
constexpr unsigned DRIVE_REMOVABLE = 2;
constexpr unsigned DRIVE_FIXED = 3;
constexpr unsigned DRIVE_REMOTE = 4;
constexpr unsigned DRIVE_CDROM = 5;
constexpr unsigned DRIVE_RAMDISK = 6;

// File-system flags of GetVolumeInformationA.
constexpr std::uint32_t FS_CASE_SENSITIVE = 1;
constexpr std::uint32_t FS_CASE_IS_PRESERVED = 2;

// Bounds of the mount table reader.
constexpr std::size_t MaxMountTableBytes = 4 << 20;
constexpr std::size_t MaxMountEntries = 20'000;
// Bound of the label directory scan.
constexpr std::size_t MaxLabelEntries = 4'096;

// One line of the mount table, its fields unescaped ("\040" is a space).
struct MountEntry {
    std::string device;
    std::string mountPath;
    std::string fsType;
};

struct Volume {
    std::string mountPath;
    unsigned type = DRIVE_UNKNOWN;
    std::string device;  // for a network volume its remote name
    std::string fsType;
};

std::string UnescapeMountField(std::string_view field);
std::vector<MountEntry> ParseMountTable(std::string_view text);
// The drive type a mount is listed as, or DRIVE_UNKNOWN when it is not listed (pseudo file
// systems, other fixed mounts that the root already reaches).
unsigned ClassifyMount(const MountEntry& entry);
// The listed volumes: the root first, then the others by mount path; the root is there even
// when the table lacks it.
std::vector<Volume> VolumesFromMountTable(std::string_view text);

// Where the mount table comes from; tests hand in their own text. Null restores /proc/self/mounts.
void SetMountTableSource(std::function<std::string()> source);
// Where volume labels are looked up (a folder of links named by label, as /dev/disk/by-label).
void SetLabelFolder(std::string folder);

// GetLogicalDrives: the listed volumes of the current mount table.
std::vector<Volume> GetLogicalVolumes();
// The mount path of the listed volume holding `path` (the longest listed mount path that is a
// prefix of it at a "/"), "/" when none is.
std::string VolumeOf(const std::string& path);
unsigned GetDriveType(const std::string& mountPath);
// The label of the volume's device; false when it has none or it cannot be read.
bool GetVolumeLabel(const std::string& mountPath, std::string& label);
std::uint32_t GetVolumeFlags(const std::string& mountPath);
// WNetGetConnectionA: the remote name of a network volume; false for any other.
bool WNetGetConnection(const std::string& mountPath, std::string& remoteName);

// Enters a volume: the folder last visited on it when that can still be entered, else its
// mount point. False, with the error code set, when neither can be entered.
bool EnterVolume(const std::string& mountPath);
// Remembers `folder` as the last folder visited on its volume; SetCurrentDirectory calls it.
void RememberVolumeFolder(const std::string& folder);
void ForgetVolumeFolders();

}  // namespace platform
