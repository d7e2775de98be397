#include "jpeg/JpegError.h"

#include <cctype>

#include <jpeglib.h>

#include "jpeg/JpegMessages.h"

namespace {

// The library's message template with its printf fields left out ("…").
std::string MessageTemplate(int code) {
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

EJPEG::EJPEG(int code) : EJPEG(code, MessageTemplate(code)) {}

EJPEG::EJPEG(int code, std::string libraryText)
    : EInvalidGraphic(Format(msg::SJPEGError, code)), code_(code), libraryText_(std::move(libraryText)) {}
