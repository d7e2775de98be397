#include "filectrl/NameOrder.h"

#include <algorithm>
#include <numeric>

#include <QCollator>
#include <QLocale>
#include <QString>

#include "filectrl/EntryList.h"
#include "graphics/LetterCase.h"

namespace {

// Stray bytes sort after every code point, each by its own value.
constexpr char32_t kStrayByte = 0x110000;

bool Continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Decodes one well-formed UTF-8 sequence at `pos`; a stray byte on anything else.
char32_t Decode(std::string_view s, std::size_t& pos) {
    const unsigned char lead = static_cast<unsigned char>(s[pos]);
    int length = 0;
    char32_t c = 0, minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, minimum = 0x10000;
    }
    if (length == 0 || pos + std::size_t(length) > s.size()) {
        ++pos;
        return kStrayByte + lead;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char b = static_cast<unsigned char>(s[pos + std::size_t(i)]);
        if (!Continuation(b)) {
            ++pos;
            return kStrayByte + lead;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kStrayByte + lead;
    }
    pos += std::size_t(length);
    return c;
}

}  // namespace

std::u32string FoldedKey(std::string_view name) {
    std::u32string key;
    key.reserve(name.size());
    for (std::size_t pos = 0; pos < name.size();) key += LowerLetter(Decode(name, pos));
    return key;
}

QLocale CollationLocale(const QLocale& user) {
    if (user.language() != QLocale::C) return user;
    return QLocale(QLocale::Czech, QLocale::Czechia);
}

const QCollator& UserCollator() {
    static const QCollator collator = [] {
        QCollator made(CollationLocale(QLocale::system().collation()));
        made.setCaseSensitivity(Qt::CaseInsensitive);
        return made;
    }();
    return collator;
}

namespace {

QString NameText(std::string_view name) { return QString::fromUtf8(name.data(), qsizetype(name.size())); }

// Names the collation holds equal (they differ in letter case, or only in characters it
// ignores) in the order of their folded code points, then of their bytes.
bool TieLess(std::string_view a, std::string_view b) {
    const std::u32string ka = FoldedKey(a), kb = FoldedKey(b);
    return ka != kb ? ka < kb : a < b;
}

}  // namespace

bool NameLess(std::string_view a, std::string_view b, const QCollator& collator) {
    const int order = collator.compare(NameText(a), NameText(b));
    return order != 0 ? order < 0 : TieLess(a, b);
}

void SortEntries(std::vector<ListEntry>& entries, const QCollator& collator) {
    std::vector<QCollatorSortKey> keys;
    keys.reserve(entries.size());
    for (const ListEntry& entry : entries) keys.push_back(collator.sortKey(NameText(entry.text)));
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        const int c = keys[x].compare(keys[y]);
        return c != 0 ? c < 0 : TieLess(entries[x].text, entries[y].text);
    });
    std::vector<ListEntry> sorted;
    sorted.reserve(entries.size());
    for (std::size_t i : order) sorted.push_back(std::move(entries[i]));
    entries = std::move(sorted);
}
