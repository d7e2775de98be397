#pragma once
// The file-system service: the process's current directory, folder enumeration with the
// attributes the program knows, and existence tests. Operations carry the names of the Windows
// calls they replace; a failing call returns false and leaves its error code in GetLastError.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Attributes of a folder entry, as the file lists filter them.
constexpr std::uint32_t FILE_ATTRIBUTE_READONLY = 0x01;  // the user cannot write it
constexpr std::uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02;    // its name starts with "."
constexpr std::uint32_t FILE_ATTRIBUTE_SYSTEM = 0x04;    // a socket, device or pipe
constexpr std::uint32_t FILE_ATTRIBUTE_VOLUME = 0x08;    // never set on Linux
constexpr std::uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr std::uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x20;  // never set: Linux has no archive bit

// Error codes the runtime has texts for.
constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::uint32_t ERROR_INVALID_NAME = 3;
constexpr std::uint32_t ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
// Every other errno value is moved above this base, so that EIO (5) becomes 1005 and can never
// read as one of the codes above.
constexpr std::uint32_t ERRNO_ERROR_BASE = 1000;

// A folder with more entries than this is listed only up to it, so memory stays bounded.
constexpr std::size_t MaxFolderEntries = 1'000'000;

std::uint32_t ErrorCodeFromErrno(int error);
// The system's description of a code made from an errno value above ERRNO_ERROR_BASE; empty
// for every other code.
std::string ErrnoErrorDescription(std::uint32_t code);

// The current directory as an absolute path without symbolic links; empty (with the error
// code set) when the system cannot tell it, for example after the folder was removed.
std::string GetCurrentDirectory();
// Enters a folder and remembers it as the last folder visited on its volume.
bool SetCurrentDirectory(const std::string& path);

bool DirectoryExists(const std::string& path);  // an existing folder (links followed)
bool FileExists(const std::string& path);       // an existing entry that is not a folder

struct FindData {
    std::string name;  // the bytes as stored, which need not be valid UTF-8
    std::uint32_t attributes = 0;
};

// Visits every entry of `folder` whose name matches `pattern` (see MatchesMask), "." and ".."
// included, in the order the system gives them. False when the folder cannot be read.
bool FindFiles(const std::string& folder, std::string_view pattern, const std::function<void(const FindData&)>& visit);

// Wildcard match without regard to ASCII letter case: "*" any run of bytes, "?" one byte;
// a pattern ending in ".*" also matches names without a dot, so "*.*" matches every name.
bool MatchesMask(std::string_view name, std::string_view pattern);

// Folder and name with one "/" between them.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace platform
