#include "app/conversion/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "graphics/Exceptions.h"
#include "graphics/Messages.h"

namespace {

// Names tried for the temporary file before giving up; a clash means another writer is busy.
constexpr int kTemporaryNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, as for any new file

[[noreturn]] void CannotCreate(const std::string& path, int error) {
    const std::string full = std::filesystem::absolute(path).lexically_normal().string();
    throw EFCreateError(Format(msg::SFCreateError, full.c_str(), std::strerror(error)));
}

std::string TemporaryName(const std::string& path, int attempt) {
    const std::filesystem::path target(path);
    const std::string name = "." + target.filename().string() + ".part" + std::to_string(getpid()) + "-" +
                             std::to_string(attempt);
    return (target.parent_path() / name).string();
}

// Creates a fresh temporary file beside the target; returns its descriptor.
int CreateTemporary(const std::string& path, std::string& temporary) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = TemporaryName(path, attempt);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0) return fd;
        if (errno != EEXIST) CannotCreate(path, errno);
    }
    CannotCreate(path, EEXIST);
}

// 0 on success, else the error number.
int WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return written < 0 ? errno : EIO;
        data += written;
        size -= std::size_t(written);
    }
    return ::fsync(fd) == 0 ? 0 : errno;
}

}  // namespace

void WriteFileAtomically(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::string temporary;
    const int fd = CreateTemporary(path, temporary);
    int error = WriteAll(fd, data, size);
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        CannotCreate(path, error);
    }
}
