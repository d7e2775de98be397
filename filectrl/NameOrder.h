#pragma once
// The order of the browser lists: alphabetical without regard to letter case (ASCII, Latin-1
// and Latin Extended-A letters, so Czech names sort as one would expect), ties broken by the
// stored bytes so the order never depends on the order the system lists a folder in.

#include <string>
#include <string_view>
#include <vector>

struct ListEntry;

// The name with its letters folded to lower case, as code points; bytes that are not valid
// UTF-8 keep their own place after every character.
std::u32string FoldedKey(std::string_view name);
bool NameLess(std::string_view a, std::string_view b);
// Sorts entries by NameLess on their texts; each key is folded once.
void SortEntries(std::vector<ListEntry>& entries);
