#include "app/conversion/AtomicFile.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "graphics/Messages.h"

namespace {

// Names tried for the temporary file before giving up; each is held by one live writer.
constexpr int kTemporaryNameAttempts = 16;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, as for any new file

std::string FolderOf(const std::string& path) {
    const auto folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

// A name of fixed length from the target's file name (64-bit FNV-1a).
std::string NameDigest(const std::string& name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : name) hash = (hash ^ c) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// The temporary file of a writer that died holds no lock any more: it is removed, unless
// another writer replaced it by a fresh one meanwhile.
void RemoveIfAbandoned(const std::string& temporary) {
    const int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return;
    struct stat held {
    }, named{};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && ::lstat(temporary.c_str(), &named) == 0 &&
        held.st_ino == named.st_ino && held.st_dev == named.st_dev)
        ::unlink(temporary.c_str());
    ::close(fd);
}

void SyncFolder(const std::string& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A folder in the target's place is no existing output but a failure, as it is when replacing.
int ExistingTargetError(const std::string& target) {
    struct stat info {};
    return ::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? EISDIR : EEXIST;
}

// 0 when the file is in place, else the error number; EEXIST when the target was kept.
int PublishWithoutReplacing(const std::string& temporary, const std::string& target) {
    if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return 0;
    int error = errno;
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP) {
        // File systems without the flag: a second link fails on an existing target just as well.
        if (::link(temporary.c_str(), target.c_str()) == 0) {
            ::unlink(temporary.c_str());
            return 0;
        }
        error = errno;
    }
    return error == EEXIST ? ExistingTargetError(target) : error;
}

}  // namespace

std::string TAtomicFile::TemporaryName(const std::string& target, int attempt) {
    const std::string name =
        ".obrazor-" + NameDigest(std::filesystem::path(target).filename().string()) + "-" + std::to_string(attempt);
    return (std::filesystem::path(FolderOf(target)) / name).string();
}

TAtomicFile::TAtomicFile(const std::string& target) : target_(target) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary_ = TemporaryName(target, attempt);
        RemoveIfAbandoned(temporary_);
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd_ >= 0) {
            // Held while the file is written: the mark of a live writer.
            ::flock(fd_, LOCK_EX | LOCK_NB);
            return;
        }
        if (errno != EEXIST) break;
    }
    const int error = errno;
    temporary_.clear();
    Fail(error);
}

TAtomicFile::~TAtomicFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

// The temporary file goes at once, so that a failed writer leaves nothing behind.
void TAtomicFile::Fail(int error) {
    const std::string full = std::filesystem::absolute(target_).lexically_normal().string();
    const std::string message = Format(msg::SFCreateError, full.c_str(), std::strerror(error));
    const bool kept = error == EEXIST && !temporary_.empty();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
    if (kept) throw EOutputExists(message);
    throw EFCreateError(message);
}

void TAtomicFile::Write(const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd_, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) Fail(written < 0 ? errno : EIO);
        data += written;
        size -= std::size_t(written);
    }
    if (::fsync(fd_) != 0) Fail(errno);
}

void TAtomicFile::Publish(TPublish mode) {
    struct stat existing {};
    if (mode == TPublish::Replace && ::stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(fd_, existing.st_mode & 07777);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) Fail(errno);
    int error = 0;
    if (mode == TPublish::KeepExisting) error = PublishWithoutReplacing(temporary_, target_);
    else if (::rename(temporary_.c_str(), target_.c_str()) != 0) error = errno;
    if (error != 0) Fail(error);
    temporary_.clear();
    SyncFolder(target_);
}

void WriteFileAtomically(const std::string& path, const std::uint8_t* data, std::size_t size, TPublish mode) {
    TAtomicFile file(path);
    file.Write(data, size);
    file.Publish(mode);
}
