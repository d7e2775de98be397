#include "app/conversion/PlainReasons.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <new>

#include "graphics/Messages.h"
#include "jpeg/JpegError.h"

std::string InputProblem(const std::string& source) {
    struct stat info {};
    if (::stat(source.c_str(), &info) != 0) return "";  // the reader tells why it cannot open it
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    if (info.st_size == 0) return "empty file";
    if (!std::filesystem::path(source).has_extension()) return "no file name extension";
    return "";
}

std::string FailureReason(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error)) return msg::SOutOfMemory;
    const auto* jpeg = dynamic_cast<const EJPEG*>(&error);
    if (!jpeg || jpeg->LibraryText().empty()) return error.what();
    return std::string(error.what()) + " (" + jpeg->LibraryText() + ")";
}

std::string EscapeControls(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            escaped += c;
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\t') {
            escaped += "\\t";
        } else if (c == '\r') {
            escaped += "\\r";
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            escaped += hex;
        }
    }
    return escaped;
}
