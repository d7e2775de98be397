#include "graphics/LetterCase.h"

#include <gtest/gtest.h>

namespace {

struct LowerCase {
    const char* text;
    const char* lower;
};

void PrintTo(const LowerCase& c, std::ostream* os) { *os << c.text; }

class AnsiLowerCaseOf : public testing::TestWithParam<LowerCase> {};

TEST_P(AnsiLowerCaseOf, LowersLettersAndKeepsEverythingElse) {
    EXPECT_EQ(AnsiLowerCase(GetParam().text), GetParam().lower);
}

INSTANTIATE_TEST_SUITE_P(Texts, AnsiLowerCaseOf,
                         testing::Values(LowerCase{"ÁBČ.Ř", "ábč.ř"}, LowerCase{"ŽLUŤOUČKÝ KŮŇ", "žluťoučký kůň"},
                                         LowerCase{"Ÿ", "ÿ"},              // Latin-1's ÿ lives in Extended-A
                                         LowerCase{"×ßĸŉ", "×ßĸŉ"},        // no upper case of their own
                                         LowerCase{"JPG\xC3", "jpg\xC3"},  // a cut sequence stays as it is
                                         LowerCase{"\xFF"
                                                   "A\x80",
                                                   "\xFF"
                                                   "a\x80"},         // stray bytes too
                                         LowerCase{"ΑΩ€", "ΑΩ€"}));  // beyond the code page

}  // namespace
