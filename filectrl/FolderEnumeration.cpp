#include "filectrl/FolderEnumeration.h"

#include "graphics/Exceptions.h"
#include "platform/Gdi.h"

namespace {
constexpr std::uint32_t kExcludable = platform::FILE_ATTRIBUTE_HIDDEN | platform::FILE_ATTRIBUTE_SYSTEM |
                                      platform::FILE_ATTRIBUTE_VOLUME | platform::FILE_ATTRIBUTE_DIRECTORY;
}

void EnumerateFolder(const std::string& folder, const std::string& pattern, std::uint32_t attributeMask,
                     const std::function<void(const platform::FindData&)>& visit) {
    const std::uint32_t excluded = kExcludable & ~attributeMask;
    const bool read = platform::FindFiles(folder, pattern, [&](const platform::FindData& entry) {
        if ((entry.attributes & excluded) == 0) visit(entry);
    });
    if (!read) throw EInOutError(int(platform::GetLastError()));
}
