#include "convert/PlainReasons.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <filesystem>

#include <jpeglib.h>

namespace {

constexpr const char* kJpegErrorPrefix = "JPEG error #";

// The library's message template with its printf fields left out ("…").
std::string LibraryText(int code) {
    jpeg_error_mgr errors{};
    jpeg_std_error(&errors);
    if (code < 0 || code > errors.last_jpeg_message || !errors.jpeg_message_table[code]) return "";
    std::string text;
    for (const char* c = errors.jpeg_message_table[code]; *c; ++c) {
        if (*c != '%') {
            text += *c;
            continue;
        }
        while (c[1] && !std::isalpha(static_cast<unsigned char>(c[1]))) ++c;  // flags, width
        while (c[1] == 'l') ++c;
        if (c[1]) ++c;
        text += "…";
    }
    return text;
}

}  // namespace

std::string InputProblem(const std::string& source) {
    struct stat info {};
    if (::stat(source.c_str(), &info) != 0) return "";  // the reader tells why it cannot open it
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    if (info.st_size == 0) return "empty file";
    if (!std::filesystem::path(source).has_extension()) return "no file name extension";
    return "";
}

std::string WithLibraryText(const std::string& message) {
    if (message.rfind(kJpegErrorPrefix, 0) != 0) return message;
    int code = -1;
    if (std::sscanf(message.c_str() + std::char_traits<char>::length(kJpegErrorPrefix), "%d", &code) != 1)
        return message;
    const std::string text = LibraryText(code);
    return text.empty() ? message : message + " (" + text + ")";
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
