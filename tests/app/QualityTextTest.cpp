#include "app/conversion/QualityText.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct QualityCase {
    const char* text;
    int quality;  // low 8 bits of the number, 75 when the text is not a number
    friend std::ostream& operator<<(std::ostream& out, const QualityCase& c) { return out << '"' << c.text << '"'; }
};

class QualityTable : public testing::TestWithParam<QualityCase> {};

TEST_P(QualityTable, TakesTheLowEightBitsOrSeventyFive) {
    EXPECT_EQ(QualityFromText(GetParam().text), GetParam().quality) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, QualityTable,
    testing::Values(QualityCase{"90", 90},             //
                    QualityCase{"300", 44},            // 300 - 256
                    QualityCase{"256", 0},             // the encoder treats 0 as 1
                    QualityCase{"-1", 255},            // all ones
                    QualityCase{"0", 0},               //
                    QualityCase{"abc", 75},            //
                    QualityCase{"", 75},               //
                    QualityCase{"   ", 75},            // spaces only
                    QualityCase{"90 ", 75},            // a trailing space spoils it
                    QualityCase{"  90", 90},           // leading spaces are skipped
                    QualityCase{"+90", 90},            //
                    QualityCase{"$FF", 255},           //
                    QualityCase{"0x1F", 31},           //
                    QualityCase{"0X1f", 31},           //
                    QualityCase{"x10", 16},            //
                    QualityCase{"X10", 16},            //
                    QualityCase{"-$10", 240},          // -16
                    QualityCase{"$", 75},              // a prefix without digits
                    QualityCase{"0x", 75},             //
                    QualityCase{"$123456789", 75},     // nine hexadecimal digits
                    QualityCase{"$FFFFFF5A", 0x5A},    // eight digits: the 32-bit pattern
                    QualityCase{"2147483647", 255},    // 0x7FFFFFFF
                    QualityCase{"2147483648", 75},     // beyond the 32-bit range
                    QualityCase{"-2147483648", 0},     // 0x80000000
                    QualityCase{"-2147483649", 75},    //
                    QualityCase{"99999999999999999999", 75},
                    QualityCase{"1e2", 75},            //
                    QualityCase{"- 5", 75},            // no space after the sign
                    QualityCase{"9 0", 75}));

TEST(ParseInteger, GivesNothingForText) {
    EXPECT_FALSE(ParseInteger("abc").has_value());
    EXPECT_EQ(ParseInteger("-17"), -17);
    EXPECT_EQ(ParseInteger("$7FFFFFFF"), 2147483647);
    EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
}

}  // namespace
