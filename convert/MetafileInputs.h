#pragma once
// Whether a run meets a metafile: only metafiles draw text, and text needs the GUI library's
// fonts, which take longer to start than a small photo takes to convert.

#include <string>
#include <vector>

// True when any of the files is read as a metafile (the class its extension is registered for).
bool HoldsMetafile(const std::vector<std::string>& files);
