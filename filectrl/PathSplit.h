#pragma once
// Splitting a path the user or a list hands over into its volume, folder and file parts. The
// current directory is the same afterwards, also on failure, when it still exists.

#include <string>

struct SplitPath {
    std::string drive;   // mount path of the volume holding the folder
    std::string folder;  // absolute folder path
    std::string file;    // a file name or mask; empty when the text names a folder
};

// Relative texts are taken from the current directory; a text in "[" and "]" (a file list's
// folder entry) loses the brackets. A folder part that cannot be entered raises EInOutError.
SplitPath ProcessPath(const std::string& text);
