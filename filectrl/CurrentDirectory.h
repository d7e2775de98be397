#pragma once
// The process's current directory as the browser controls use it: entering a folder either
// succeeds or raises the runtime's EInOutError with the system's reason.

#include <string>

// Enters `path`; raises EInOutError ("File not found", "File access denied", ...) on failure.
void EnterDirectory(const std::string& path);
// Enters the folder last visited on a volume (at first its mount point), or raises EInOutError.
void EnterDrive(const std::string& mountPath);
// The current directory; raises EInOutError when the system cannot tell it.
std::string CurrentDirectory();
// The current directory, or "/" when the system cannot tell it (it was removed).
std::string CurrentDirectoryOrRoot();

// Enters the remembered folder again when it goes out of scope, if that folder still exists.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper();
    ~CurrentDirectoryKeeper();
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

private:
    std::string saved_;
};
