#include "filectrl/CurrentDirectory.h"

#include "graphics/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/Gdi.h"
#include "platform/Volumes.h"

[[noreturn]] static void RaiseLastError() { throw EInOutError(int(platform::GetLastError())); }

void EnterDirectory(const std::string& path) {
    if (!platform::SetCurrentDirectory(path)) RaiseLastError();
}

void EnterDrive(const std::string& mountPath) {
    if (!platform::EnterVolume(mountPath)) RaiseLastError();
}

std::string CurrentDirectory() {
    std::string path = platform::GetCurrentDirectory();
    if (path.empty()) RaiseLastError();
    return path;
}

std::string CurrentDirectoryOrRoot() {
    std::string path = platform::GetCurrentDirectory();
    return path.empty() ? "/" : path;
}

CurrentDirectoryKeeper::CurrentDirectoryKeeper() : saved_(platform::GetCurrentDirectory()) {}

CurrentDirectoryKeeper::~CurrentDirectoryKeeper() {
    if (!saved_.empty() && platform::DirectoryExists(saved_)) platform::SetCurrentDirectory(saved_);
}
