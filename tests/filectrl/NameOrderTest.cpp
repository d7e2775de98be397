// The lists' order and the way names are shown.

#include <gtest/gtest.h>

#include "filectrl/DisplayText.h"
#include "filectrl/NameOrder.h"

namespace {

struct OrderCase {
    const char* a;
    const char* b;
    bool less;
};

class NameOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(NameOrderTest, Less) {
    EXPECT_EQ(NameLess(GetParam().a, GetParam().b), GetParam().less) << GetParam().a << " < " << GetParam().b;
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameOrderTest,
    testing::Values(OrderCase{"a.jpg", "B.JPG", true},
                    OrderCase{"B.JPG", "c.jpeg", true},
                    OrderCase{"B.JPG", "a.jpg", false},
                    OrderCase{"A", "a", true},                            // equal keys: bytes decide
                    OrderCase{"a", "A", false},
                    OrderCase{"Zebra", "\xc4\x8d\xc3\xa1p", true},         // "čáp" after every ASCII letter
                    OrderCase{"\xc4\x8c\xc3\xa1p", "\xc4\x8d" "ab", false},  // "Čáp" folds to "čáp" > "čab"
                    OrderCase{"\xc3\xa9t\xc3\xa9", "\xc3\x89TA", false},   // "été" vs "ÉTA": t > t, é > a
                    OrderCase{"\xff", "\xc4\x8d", false},                  // a stray byte after characters
                    OrderCase{"\xc4\x8d", "\xff", true},
                    OrderCase{"", "a", true}));

TEST(FoldedKeyTest, CzechCapitalsFold) {
    // "ŽLUŤOUČKÝ KŮŇ" → "žluťoučký kůň"
    EXPECT_EQ(FoldedKey("\xc5\xbd" "LU\xc5\xa4" "OU\xc4\x8c" "K\xc3\x9d K\xc5\xae\xc5\x87"),
              FoldedKey("\xc5\xbe" "lu\xc5\xa5" "ou\xc4\x8d" "k\xc3\xbd k\xc5\xaf\xc5\x88"));
    EXPECT_EQ(FoldedKey("ABC"), U"abc");
    EXPECT_EQ(FoldedKey("\xc3\x97"), U"\u00d7");  // the multiplication sign has no lower case
}

TEST(FoldedKeyTest, MalformedSequencesAreStrayBytes) {
    const std::u32string overlong = FoldedKey("\xc0\xaf");
    ASSERT_EQ(overlong.size(), 2u);
    EXPECT_GT(overlong[0], char32_t(0x10FFFF));
    EXPECT_EQ(FoldedKey("\xc4").size(), 1u);              // cut off
    EXPECT_EQ(FoldedKey("\xed\xa0\x80").size(), 3u);      // a surrogate
    EXPECT_EQ(FoldedKey("\xf0\x9f\x93\xb7"), U"\U0001F4F7");  // a camera: four bytes, one character
}

TEST(DisplayTextTest, ValidNamesAsTheyAre) {
    EXPECT_EQ(DisplayText("\xc5\xa0koda 120.jpg"), QString::fromUtf8("Škoda 120.jpg"));
    EXPECT_EQ(DisplayText("a&b"), QString("a&b"));
}

TEST(DisplayTextTest, BadBytesAndControlsBecomeReplacementCharacters) {
    EXPECT_EQ(DisplayText("\xe8" "erven\xe1"), QString::fromUtf8("\xef\xbf\xbd" "erven\xef\xbf\xbd"));
    EXPECT_EQ(DisplayText("a\nb\tc"), QString::fromUtf8("a\xef\xbf\xbd" "b\xef\xbf\xbd" "c"));
}

}  // namespace
