#include "app/conversion/QualityText.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct QualityCase {
    const char* text;
    int quality;  // the number from 0 to 255; 1 below, 100 above; 75 when the text is not a number
    friend std::ostream& operator<<(std::ostream& out, const QualityCase& c) { return out << '"' << c.text << '"'; }
};

class QualityTable : public testing::TestWithParam<QualityCase> {};

TEST_P(QualityTable, KeepsTheByteRangeAndClampsTheRest) {
    EXPECT_EQ(QualityFromText(GetParam().text), GetParam().quality) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Table, QualityTable,
                         testing::Values(QualityCase{"90", 90},           //
                                         QualityCase{"300", 100},         // more asked: the most, not 44
                                         QualityCase{"256", 100},         // not 0
                                         QualityCase{"-1", 1},            // less than nothing: the least
                                         QualityCase{"0", 0},             // the encoder treats 0 as 1
                                         QualityCase{"255", 255},         // the encoder treats it as 100
                                         QualityCase{"abc", 75},          //
                                         QualityCase{"", 75},             //
                                         QualityCase{"   ", 75},          // spaces only
                                         QualityCase{"90 ", 75},          // a trailing space spoils it
                                         QualityCase{"  90", 90},         // leading spaces are skipped
                                         QualityCase{"+90", 90},          //
                                         QualityCase{"$FF", 255},         //
                                         QualityCase{"0x1F", 31},         //
                                         QualityCase{"0X1f", 31},         //
                                         QualityCase{"x10", 16},          //
                                         QualityCase{"X10", 16},          //
                                         QualityCase{"-$10", 1},          // -16
                                         QualityCase{"$", 75},            // a prefix without digits
                                         QualityCase{"0x", 75},           //
                                         QualityCase{"$123456789", 75},   // nine hexadecimal digits
                                         QualityCase{"$FFFFFF5A", 1},     // eight digits: the 32-bit pattern, negative
                                         QualityCase{"2147483647", 100},  // 0x7FFFFFFF
                                         QualityCase{"2147483648", 75},   // beyond the 32-bit range
                                         QualityCase{"-2147483648", 1},   // 0x80000000
                                         QualityCase{"-2147483649", 75},  //
                                         QualityCase{"99999999999999999999", 75}, QualityCase{"1e2", 75},  //
                                         QualityCase{"- 5", 75},  // no space after the sign
                                         QualityCase{"9 0", 75}));

TEST(ParseInteger, GivesNothingForText) {
    EXPECT_FALSE(ParseInteger("abc").has_value());
    EXPECT_EQ(ParseInteger("-17"), -17);
    EXPECT_EQ(ParseInteger("$7FFFFFFF"), 2147483647);
    EXPECT_EQ(ParseInteger("$FFFFFFFF"), -1);
}

}  // namespace
