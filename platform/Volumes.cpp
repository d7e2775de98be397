#include "platform/Volumes.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/FileSystem.h"
#include "platform/Gdi.h"

namespace platform {

namespace {

constexpr std::array kPseudoFileSystems{
    "proc", "sysfs", "tmpfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs", "debugfs", "tracefs", "configfs",
    "fusectl", "mqueue", "hugetlbfs", "pstore", "bpf", "autofs", "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs",
    "ramfs", "selinuxfs", "rootfs",
    // Overlays are container and live-system plumbing; only an overlay root is listed.
    "overlay", "squashfs", "fuse.lxcfs", "fuse.gvfsd-fuse", "fuse.portal", "fuse.snapfuse"};
constexpr std::array kNetworkFileSystems{"nfs",         "nfs4",           "cifs",     "smb3",       "smbfs", "ncpfs",
                                         "afs",         "ceph",           "9p",       "fuse.sshfs", "sshfs", "davfs",
                                         "fuse.rclone", "fuse.glusterfs", "glusterfs"};
constexpr std::array kOpticalFileSystems{"iso9660", "udf"};
constexpr std::array kRemovableParents{"/media", "/run/media", "/mnt"};
// Case-preserving but not case-sensitive file systems.
constexpr std::array kCaseBlindFileSystems{"vfat", "msdos", "exfat", "cifs", "smb3", "smbfs"};

template <std::size_t N>
bool Among(const std::array<const char*, N>& names, std::string_view name) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

bool UnderOrAt(std::string_view path, std::string_view parent) {
    return path == parent || (path.starts_with(parent) && path.size() > parent.size() && path[parent.size()] == '/');
}

// The next whitespace-separated field of a line, advancing `pos`.
std::string_view NextField(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
    return line.substr(start, pos - start);
}

std::optional<MountEntry> ParseLine(std::string_view line) {
    std::size_t pos = 0;
    MountEntry entry;
    const std::string_view device = NextField(line, pos);
    const std::string_view mountPath = NextField(line, pos);
    const std::string_view fsType = NextField(line, pos);
    if (fsType.empty() || device.starts_with('#')) return std::nullopt;
    entry.device = UnescapeMountField(device);
    entry.mountPath = UnescapeMountField(mountPath);
    entry.fsType = UnescapeMountField(fsType);
    if (entry.mountPath.empty() || entry.mountPath.front() != '/') return std::nullopt;
    return entry;
}

std::string ReadBounded(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    std::string text;
    char chunk[16384];
    while (text.size() < MaxMountTableBytes) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got <= 0) break;
        text.append(chunk, std::size_t(got));
    }
    ::close(fd);
    if (text.size() > MaxMountTableBytes) text.resize(MaxMountTableBytes);
    return text;
}

std::mutex& StateLock() {
    static std::mutex lock;
    return lock;
}
std::function<std::string()>& MountTableSource() {
    static std::function<std::string()> source;
    return source;
}
std::string& LabelFolder() {
    static std::string folder = "/dev/disk/by-label";
    return folder;
}
std::map<std::string, std::string>& VisitedFolders() {
    static std::map<std::string, std::string> folders;
    return folders;
}

std::string CurrentMountTable() {
    std::function<std::string()> source;
    {
        std::lock_guard guard(StateLock());
        source = MountTableSource();
    }
    return source ? source() : ReadBounded("/proc/self/mounts");
}

std::optional<Volume> FindVolume(const std::string& mountPath) {
    for (Volume& volume : GetLogicalVolumes())
        if (volume.mountPath == mountPath) return std::move(volume);
    return std::nullopt;
}

// udev writes unsafe label bytes as "\xHH".
std::string UnescapeLabel(std::string_view name) {
    std::string label;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
            std::isxdigit(static_cast<unsigned char>(name[i + 2])) &&
            std::isxdigit(static_cast<unsigned char>(name[i + 3]))) {
            label += char(std::strtol(std::string(name.substr(i + 2, 2)).c_str(), nullptr, 16));
            i += 3;
        } else {
            label += name[i];
        }
    }
    return label;
}

std::string CanonicalPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

}  // namespace

std::string UnescapeMountField(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) && IsOctal(field[i + 2]) &&
            IsOctal(field[i + 3])) {
            text += char(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

std::vector<MountEntry> ParseMountTable(std::string_view text) {
    std::vector<MountEntry> entries;
    std::size_t start = 0;
    while (start < text.size() && entries.size() < MaxMountEntries) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        if (auto entry = ParseLine(text.substr(start, end - start))) entries.push_back(std::move(*entry));
        start = end + 1;
    }
    return entries;
}

unsigned ClassifyMount(const MountEntry& entry) {
    const bool root = entry.mountPath == "/";
    if (Among(kNetworkFileSystems, entry.fsType)) return DRIVE_REMOTE;
    if (root) return DRIVE_FIXED;
    if (Among(kPseudoFileSystems, entry.fsType)) return DRIVE_UNKNOWN;
    if (Among(kOpticalFileSystems, entry.fsType)) return DRIVE_CDROM;
    // Removable media come from block devices; anything else mounted there is plumbing.
    const bool underMediaFolder = std::any_of(kRemovableParents.begin(), kRemovableParents.end(),
                                              [&](const char* parent) { return UnderOrAt(entry.mountPath, parent); });
    if (underMediaFolder && entry.device.starts_with("/dev/")) return DRIVE_REMOVABLE;
    return DRIVE_UNKNOWN;
}

std::vector<Volume> VolumesFromMountTable(std::string_view text) {
    // A later mount over the same path hides the earlier one.
    std::map<std::string, MountEntry> visible;
    for (MountEntry& entry : ParseMountTable(text)) visible[entry.mountPath] = std::move(entry);
    std::vector<Volume> volumes;
    if (!visible.contains("/")) volumes.push_back({"/", DRIVE_FIXED, "", ""});
    for (auto& [path, entry] : visible) {  // the map keeps "/" first and the rest by path
        const unsigned type = ClassifyMount(entry);
        if (type != DRIVE_UNKNOWN) volumes.push_back({path, type, std::move(entry.device), std::move(entry.fsType)});
    }
    return volumes;
}

void SetMountTableSource(std::function<std::string()> source) {
    std::lock_guard guard(StateLock());
    MountTableSource() = std::move(source);
}

void SetLabelFolder(std::string folder) {
    std::lock_guard guard(StateLock());
    LabelFolder() = std::move(folder);
}

std::vector<Volume> GetLogicalVolumes() { return VolumesFromMountTable(CurrentMountTable()); }

std::string VolumeOf(const std::string& path) {
    std::string best = "/";
    for (const Volume& volume : GetLogicalVolumes())
        if (volume.mountPath.size() > best.size() && UnderOrAt(path, volume.mountPath)) best = volume.mountPath;
    return best;
}

unsigned GetDriveType(const std::string& mountPath) {
    const auto volume = FindVolume(mountPath);
    return volume ? volume->type : DRIVE_UNKNOWN;
}

bool GetVolumeLabel(const std::string& mountPath, std::string& label) {
    const auto volume = FindVolume(mountPath);
    if (!volume || !volume->device.starts_with('/')) return false;
    const std::string device = CanonicalPath(volume->device);
    std::string folder;
    {
        std::lock_guard guard(StateLock());
        folder = LabelFolder();
    }
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir || device.empty()) return false;
    for (std::size_t seen = 0; seen < MaxLabelEntries; ++seen) {
        const dirent* entry = ::readdir(dir.get());
        if (!entry) break;
        if (entry->d_name[0] == '.') continue;
        if (CanonicalPath(JoinPath(folder, entry->d_name)) == device) {
            label = UnescapeLabel(entry->d_name);
            return true;
        }
    }
    return false;
}

std::uint32_t GetVolumeFlags(const std::string& mountPath) {
    const auto volume = FindVolume(mountPath);
    if (volume && Among(kCaseBlindFileSystems, volume->fsType)) return FS_CASE_IS_PRESERVED;
    return FS_CASE_SENSITIVE | FS_CASE_IS_PRESERVED;
}

bool WNetGetConnection(const std::string& mountPath, std::string& remoteName) {
    const auto volume = FindVolume(mountPath);
    if (!volume || volume->type != DRIVE_REMOTE || volume->device.empty()) return false;
    remoteName = volume->device;
    return true;
}

bool EnterVolume(const std::string& mountPath) {
    std::string visited;
    {
        std::lock_guard guard(StateLock());
        const auto found = VisitedFolders().find(mountPath);
        if (found != VisitedFolders().end()) visited = found->second;
    }
    // A folder removed since the last visit falls back to the mount point.
    if (!visited.empty() && SetCurrentDirectory(visited)) return true;
    return SetCurrentDirectory(mountPath);
}

void RememberVolumeFolder(const std::string& folder) {
    const std::string volume = VolumeOf(folder);
    std::lock_guard guard(StateLock());
    VisitedFolders()[volume] = folder;
}

void ForgetVolumeFolders() {
    std::lock_guard guard(StateLock());
    VisitedFolders().clear();
}

}  // namespace platform
