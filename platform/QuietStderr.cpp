#include "platform/QuietStderr.h"

#include <fcntl.h>
#include <unistd.h>

#include <mutex>

namespace platform {
namespace {

std::mutex scopesLock;
int openScopes = 0;
int savedStderr = -1;

}  // namespace

QuietStderr::QuietStderr() {
    const std::lock_guard lock(scopesLock);
    if (openScopes++ > 0) return;
    std::fflush(stderr);
    const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0) return;
    savedStderr = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (savedStderr >= 0) ::dup2(null, STDERR_FILENO);
    ::close(null);
}

QuietStderr::~QuietStderr() {
    const std::lock_guard lock(scopesLock);
    if (--openScopes > 0 || savedStderr < 0) return;
    std::fflush(stderr);
    ::dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    savedStderr = -1;
}

std::FILE* ProgramStderr() {
    static std::FILE* const own = [] {
        const int copy = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
        std::FILE* file = copy >= 0 ? ::fdopen(copy, "w") : nullptr;
        if (!file) return stderr;
        std::setvbuf(file, nullptr, _IONBF, 0);
        return file;
    }();
    return own;
}

}  // namespace platform
