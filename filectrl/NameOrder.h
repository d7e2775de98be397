#pragma once
// The order of the browser lists: as the user's locale collates names, without regard to
// letter case (Czech when no locale is set, the language of the program's window), ties broken
// by code point so the order never depends on the order the system lists a folder in.

#include <string>
#include <string_view>
#include <vector>

class QCollator;
class QLocale;
struct ListEntry;

// The locale names are collated by for a user whose collation locale is `user`: that one, or
// Czech when it is the C locale (none set).
QLocale CollationLocale(const QLocale& user);
// The case-blind collator of the user's collation locale, made once.
const QCollator& UserCollator();

// The name with its letters folded to lower case, as code points; bytes that are not valid
// UTF-8 keep their own place after every character.
std::u32string FoldedKey(std::string_view name);
bool NameLess(std::string_view a, std::string_view b, const QCollator& collator = UserCollator());
// Sorts entries by NameLess on their texts, in one sort; each collation key is made once.
void SortEntries(std::vector<ListEntry>& entries, const QCollator& collator = UserCollator());
