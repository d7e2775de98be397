#include "filectrl/PathSplit.h"

#include "filectrl/CurrentDirectory.h"
#include "platform/FileSystem.h"
#include "platform/Volumes.h"

namespace {

std::string WithoutBrackets(const std::string& text) {
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') return text.substr(1, text.size() - 2);
    return text;
}

bool HasWildcards(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

}  // namespace

SplitPath ProcessPath(const std::string& text) {
    CurrentDirectoryKeeper keeper;
    const std::string name = WithoutBrackets(text);
    const std::string absolute =
        !name.empty() && name.front() == '/' ? name : platform::JoinPath(CurrentDirectory(), name);
    const std::size_t slash = absolute.rfind('/');
    SplitPath split;
    split.file = absolute.substr(slash + 1);
    split.folder = slash == 0 ? "/" : absolute.substr(0, slash);
    EnterDirectory(split.folder);
    if (!split.file.empty() && !HasWildcards(split.file) && !platform::FileExists(split.file)) {
        EnterDirectory(split.file);
        split.folder = platform::JoinPath(split.folder, split.file);
        split.file.clear();
    }
    split.drive = platform::VolumeOf(CurrentDirectory());
    return split;
}
