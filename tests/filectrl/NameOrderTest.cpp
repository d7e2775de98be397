// The lists' order and the way names are shown.

#include <gtest/gtest.h>

#include <QCollator>
#include <QLocale>

#include "filectrl/DisplayText.h"
#include "filectrl/EntryList.h"
#include "filectrl/NameOrder.h"

namespace {

// Czech collation whatever the machine's locale settings.
const QCollator& Czech() {
    static const QCollator collator = [] {
        QCollator made(QLocale(QLocale::Czech, QLocale::Czechia));
        made.setCaseSensitivity(Qt::CaseInsensitive);
        return made;
    }();
    return collator;
}

struct OrderCase {
    const char* a;
    const char* b;
    bool less;
};

class NameOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(NameOrderTest, LessAsACzechUserExpects) {
    EXPECT_EQ(NameLess(GetParam().a, GetParam().b, Czech()), GetParam().less) << GetParam().a << " < " << GetParam().b;
}

INSTANTIATE_TEST_SUITE_P(Names, NameOrderTest,
                         testing::Values(OrderCase{"a.jpg", "B.JPG", true},  // letter case does not count
                                         OrderCase{"B.JPG", "a.jpg", false},
                                         OrderCase{"A", "a", true},  // equal to the collation: code points decide
                                         OrderCase{"a", "A", false},
                                         OrderCase{"Škoda", "Zetor", true},  // Š between S and T, not after Z
                                         OrderCase{"Sova", "Škoda", true}, OrderCase{"Škoda", "Tatra", true},
                                         OrderCase{"Cz", "Čistá", true},  // Č is a letter of its own after C
                                         OrderCase{"Čistá", "Zima", true},
                                         OrderCase{"Ruka", "Řeka", true},   // Ř after R
                                         OrderCase{"hrad", "chata", true},  // ch comes after h
                                         OrderCase{"chata", "Ida", true}, OrderCase{"été", "ÉTA", false},  // e > a
                                         OrderCase{"č", "\xff", true},  // a stray byte after letters
                                         OrderCase{"", "a", true}));

TEST(SortEntriesTest, CzechNamesInOneSort) {
    std::vector<ListEntry> entries;
    for (const char* name : {"Zima", "čistá", "Cukr", "Škoda", "sova", "Hrad", "chata", "Ida", "Zetor", "cukr"})
        entries.push_back({name, TGlyphKind::UnknownFile});
    SortEntries(entries, Czech());
    std::vector<std::string> texts;
    for (const ListEntry& entry : entries) texts.push_back(entry.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Cukr", "cukr", "čistá", "Hrad", "chata", "Ida", "sova", "Škoda",
                                               "Zetor", "Zima"}));
}

// With no locale set the program's own language decides; a chosen locale is kept.
TEST(CollationLocaleTest, CzechWhenNoneIsSet) {
    EXPECT_EQ(CollationLocale(QLocale::c()).language(), QLocale::Czech);
    EXPECT_EQ(CollationLocale(QLocale(QLocale::German, QLocale::Germany)).language(), QLocale::German);
}

TEST(FoldedKeyTest, CzechCapitalsFold) {
    // "ŽLUŤOUČKÝ KŮŇ" → "žluťoučký kůň"
    EXPECT_EQ(FoldedKey("\xc5\xbd"
                        "LU\xc5\xa4"
                        "OU\xc4\x8c"
                        "K\xc3\x9d K\xc5\xae\xc5\x87"),
              FoldedKey("\xc5\xbe"
                        "lu\xc5\xa5"
                        "ou\xc4\x8d"
                        "k\xc3\xbd k\xc5\xaf\xc5\x88"));
    EXPECT_EQ(FoldedKey("ABC"), U"abc");
    EXPECT_EQ(FoldedKey("\xc3\x97"), U"\u00d7");  // the multiplication sign has no lower case
}

TEST(FoldedKeyTest, MalformedSequencesAreStrayBytes) {
    const std::u32string overlong = FoldedKey("\xc0\xaf");
    ASSERT_EQ(overlong.size(), 2u);
    EXPECT_GT(overlong[0], char32_t(0x10FFFF));
    EXPECT_EQ(FoldedKey("\xc4").size(), 1u);                  // cut off
    EXPECT_EQ(FoldedKey("\xed\xa0\x80").size(), 3u);          // a surrogate
    EXPECT_EQ(FoldedKey("\xf0\x9f\x93\xb7"), U"\U0001F4F7");  // a camera: four bytes, one character
}

TEST(DisplayTextTest, ValidNamesAsTheyAre) {
    EXPECT_EQ(DisplayText("\xc5\xa0koda 120.jpg"), QString::fromUtf8("Škoda 120.jpg"));
    EXPECT_EQ(DisplayText("a&b"), QString("a&b"));
}

TEST(DisplayTextTest, BadBytesAndControlsBecomeReplacementCharacters) {
    EXPECT_EQ(DisplayText("\xe8"
                          "erven\xe1"),
              QString::fromUtf8("\xef\xbf\xbd"
                                "erven\xef\xbf\xbd"));
    EXPECT_EQ(DisplayText("a\nb\tc"), QString::fromUtf8("a\xef\xbf\xbd"
                                                        "b\xef\xbf\xbd"
                                                        "c"));
}

}  // namespace
