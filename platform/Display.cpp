#include <cstring>

#include "platform/Gdi.h"

namespace platform {

DisplaySettings& Display() {
    static DisplaySettings settings;
    return settings;
}

bool PaletteDisplay() { return Display().bitsPerPixel * Display().planes <= 8; }

namespace {
thread_local std::uint32_t lastError = 0;
}

void SetLastError(std::uint32_t code) { lastError = code; }
std::uint32_t GetLastError() { return lastError; }

std::string SystemErrorMessage(std::uint32_t code) {
    switch (code) {
    case ERROR_NOT_ENOUGH_MEMORY: return "Not enough memory resources are available to process this command";
    case ERROR_INVALID_PARAMETER: return "The parameter is incorrect";
    default: return std::strerror(int(code));
    }
}

}  // namespace platform
