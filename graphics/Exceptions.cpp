#include "graphics/Exceptions.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "graphics/Messages.h"
#include "platform/FileSystem.h"
#include "platform/Gdi.h"

std::string Format(const char* templ, ...) {
    va_list args;
    va_start(args, templ);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, templ, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(std::size_t(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), templ, again);
        text.assign(buffer.data(), std::size_t(length));
    }
    va_end(again);
    return text;
}

EOSError::EOSError(std::uint32_t code, const std::string& systemText)
    : Exception(Format(msg::SOSError, int(code), systemText.c_str())), code_(code) {}

static std::string InOutText(int code) {
    switch (code) {
    case 2: return msg::SFileNotFound;
    case 3: return msg::SInvalidFilename;
    case 4: return msg::STooManyOpenFiles;
    case 5: return msg::SAccessDenied;
    default: break;
    }
    // A code made from an errno value names the system's reason too: "I/O error 1005" alone
    // would not tell the user what happened.
    std::string text = Format(msg::SInOutError, code);
    const std::string reason = code > 0 ? platform::ErrnoErrorDescription(std::uint32_t(code)) : std::string();
    if (!reason.empty()) text += " (" + reason + ")";
    return text;
}

EInOutError::EInOutError(int errorCode) : Exception(InOutText(errorCode)), code_(errorCode) {}

void RaiseLastPlatformError() {
    const std::uint32_t code = platform::GetLastError();
    if (code == 0) throw EOutOfResources(msg::SOutOfResources);
    throw EOutOfResources(platform::SystemErrorMessage(code));
}
