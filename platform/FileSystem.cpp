#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>

#include "platform/Gdi.h"
#include "platform/Volumes.h"

namespace platform {

std::uint32_t ErrorCodeFromErrno(int error) {
    switch (error) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case EINVAL:
    case ELOOP:
    case ENAMETOOLONG: return ERROR_INVALID_NAME;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    default: return ERRNO_ERROR_BASE + std::uint32_t(error > 0 ? error : 0);
    }
}

std::string ErrnoErrorDescription(std::uint32_t code) {
    if (code <= ERRNO_ERROR_BASE || code - ERRNO_ERROR_BASE > std::uint32_t(INT_MAX)) return {};
    return std::strerror(int(code - ERRNO_ERROR_BASE));
}

static bool FailWithErrno() {
    SetLastError(ErrorCodeFromErrno(errno));
    return false;
}

std::string GetCurrentDirectory() {
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer)) {
        FailWithErrno();
        return {};
    }
    return buffer;
}

bool SetCurrentDirectory(const std::string& path) {
    // An embedded NUL would silently shorten the path the system sees.
    if (path.empty() || path.find('\0') != std::string::npos) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    if (::chdir(path.c_str()) != 0) return FailWithErrno();
    const std::string now = GetCurrentDirectory();
    if (!now.empty()) RememberVolumeFolder(now);
    return true;
}

static bool StatFollowing(const std::string& path, struct stat& st) {
    return path.find('\0') == std::string::npos && ::stat(path.c_str(), &st) == 0;
}

bool DirectoryExists(const std::string& path) {
    struct stat st;
    return StatFollowing(path, st) && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
    struct stat st;
    if (path.find('\0') != std::string::npos) return false;
    if (::stat(path.c_str(), &st) == 0) return !S_ISDIR(st.st_mode);
    return ::lstat(path.c_str(), &st) == 0;  // a dangling link is still an entry
}

namespace {

bool IsDotEntry(const char* name) { return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)); }

// The kind bits of an entry; d_type saves a stat call where the file system supplies it.
std::uint32_t KindAttributes(int dirFd, const char* name, unsigned char type) {
    mode_t mode = 0;
    switch (type) {
    case DT_DIR: mode = S_IFDIR; break;
    case DT_REG: mode = S_IFREG; break;
    case DT_SOCK: mode = S_IFSOCK; break;
    case DT_CHR: mode = S_IFCHR; break;
    case DT_BLK: mode = S_IFBLK; break;
    case DT_FIFO: mode = S_IFIFO; break;
    default: {
        struct stat st;
        // A dangling link counts as an ordinary file.
        mode = ::fstatat(dirFd, name, &st, 0) == 0 ? st.st_mode : S_IFREG;
    }
    }
    if (S_ISDIR(mode)) return FILE_ATTRIBUTE_DIRECTORY;
    if (S_ISSOCK(mode) || S_ISCHR(mode) || S_ISBLK(mode) || S_ISFIFO(mode)) return FILE_ATTRIBUTE_SYSTEM;
    return 0;
}

std::uint32_t Attributes(int dirFd, const dirent& entry) {
    std::uint32_t attributes = KindAttributes(dirFd, entry.d_name, entry.d_type);
    if (entry.d_name[0] == '.' && !IsDotEntry(entry.d_name)) attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (::faccessat(dirFd, entry.d_name, W_OK, 0) != 0) attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

bool FindFiles(const std::string& folder, std::string_view pattern, const std::function<void(const FindData&)>& visit) {
    if (folder.find('\0') != std::string::npos) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir) return FailWithErrno();
    const int fd = ::dirfd(dir.get());
    FindData data;
    for (std::size_t seen = 0; seen < MaxFolderEntries; ++seen) {
        const dirent* entry = ::readdir(dir.get());
        if (!entry) break;
        if (!MatchesMask(entry->d_name, pattern)) continue;
        data.name = entry->d_name;
        data.attributes = Attributes(fd, *entry);
        visit(data);
    }
    return true;
}

static char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

// Greedy match that returns to the last "*" on a mismatch: linear in practice, never worse
// than name length times pattern length.
static bool MatchWildcards(std::string_view name, std::string_view pattern) {
    std::size_t n = 0, p = 0;
    std::size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || FoldAscii(pattern[p]) == FoldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool MatchesMask(std::string_view name, std::string_view pattern) {
    if (MatchWildcards(name, pattern)) return true;
    return pattern.ends_with(".*") && name.find('.') == std::string_view::npos &&
           MatchWildcards(name, pattern.substr(0, pattern.size() - 2));
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace platform
