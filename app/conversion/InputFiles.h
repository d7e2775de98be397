#pragma once
// Turns the command line's files and folders into the list of pictures to convert.

#include <set>
#include <string>
#include <vector>

struct InputList {
    std::vector<std::string> files;   // in command-line order; a folder's files sorted by name
    std::vector<std::string> errors;  // folders that could not be read, with the reason
};

// Lower-case extensions, without the dot, of every format the program reads.
std::set<std::string> PictureExtensions();

// True for the outputs that earlier runs wrote, which a folder never gives back as sources.
bool IsConvertedOutput(const std::string& path);

// Files named on the command line are taken as they are (a wrong one fails when it is read).
// A folder gives its files whose extension is in `extensions`, leaving out hidden entries and
// earlier outputs; with `recursive` also those of the folders inside it.
InputList ExpandInputs(const std::vector<std::string>& inputs, const std::set<std::string>& extensions, bool recursive);
