// The command line: what each spelling of an option sets, and what is a usage error.

#include <gtest/gtest.h>

#include <vector>

#include "convert/Options.h"

namespace {

ConvertOptions Parse(std::vector<const char*> args) { return ParseOptions(args); }

TEST(ConvertOptions, DefaultsMatchTheWindowsStartingState) {
    const ConvertOptions options = Parse({"a.jpg"});
    EXPECT_EQ(options.qualityText, "75");
    EXPECT_FALSE(options.gray);
    EXPECT_FALSE(options.overwrite);
    EXPECT_FALSE(options.reprocess);
    EXPECT_FALSE(options.dryRun);
    EXPECT_FALSE(options.recursive);
    EXPECT_FALSE(options.smooth);
    EXPECT_EQ(options.jobs, 0u);
    EXPECT_EQ(options.inputs, std::vector<std::string>{"a.jpg"});
}

TEST(ConvertOptions, FlagsInLongShortAndGroupedSpellings) {
    const ConvertOptions options = Parse({"--gray", "--overwrite", "-rn", "x", "--reprocess", "--smooth", "y"});
    EXPECT_TRUE(options.gray);
    EXPECT_TRUE(options.smooth);
    EXPECT_TRUE(options.overwrite);
    EXPECT_TRUE(options.recursive);
    EXPECT_TRUE(options.dryRun);
    EXPECT_TRUE(options.reprocess);
    EXPECT_EQ(options.inputs, (std::vector<std::string>{"x", "y"}));
}

struct ValueCase {
    std::vector<const char*> args;
    std::string quality;
    unsigned jobs;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    for (const char* arg : c.args) *os << arg << ' ';
}

class ConvertOptionValues : public testing::TestWithParam<ValueCase> {};

TEST_P(ConvertOptionValues, AreTakenInEverySpelling) {
    std::vector<const char*> args = GetParam().args;
    args.push_back("photo.jpg");
    const ConvertOptions options = Parse(args);
    EXPECT_EQ(options.qualityText, GetParam().quality);
    EXPECT_EQ(options.jobs, GetParam().jobs);
}

INSTANTIATE_TEST_SUITE_P(
    Spellings, ConvertOptionValues,
    testing::Values(ValueCase{{"-q", "90"}, "90", 0}, ValueCase{{"-q90"}, "90", 0},
                    ValueCase{{"--quality", "60"}, "60", 0}, ValueCase{{"--quality=abc"}, "abc", 0},
                    ValueCase{{"--quality="}, "", 0},  // the field's parse decides what empty means
                    ValueCase{{"-q", "-5"}, "-5", 0},  // a value may look like an option
                    ValueCase{{"-j", "3"}, "75", 3}, ValueCase{{"-j2"}, "75", 2}, ValueCase{{"--jobs=4"}, "75", 4},
                    ValueCase{{"-nj", "2"}, "75", 2}));

TEST(ConvertOptions, DoubleDashEndsTheOptions) {
    const ConvertOptions options = Parse({"--", "--gray", "-q"});
    EXPECT_FALSE(options.gray);
    EXPECT_EQ(options.inputs, (std::vector<std::string>{"--gray", "-q"}));
}

TEST(ConvertOptions, HelpAndVersionNeedNoFiles) {
    EXPECT_TRUE(Parse({"-h"}).help);
    EXPECT_TRUE(Parse({"--help"}).help);
    EXPECT_TRUE(Parse({"--version"}).version);
}

class ConvertUsageErrors : public testing::TestWithParam<std::vector<const char*>> {};

TEST_P(ConvertUsageErrors, AreRaised) { EXPECT_THROW(Parse(GetParam()), UsageError); }

INSTANTIATE_TEST_SUITE_P(Cases, ConvertUsageErrors,
                         testing::Values(std::vector<const char*>{},                      // nothing to do
                                         std::vector<const char*>{"--gray"},              // still nothing
                                         std::vector<const char*>{"--colour", "a.jpg"},   // unknown long
                                         std::vector<const char*>{"-x", "a.jpg"},         // unknown short
                                         std::vector<const char*>{"-rx", "a.jpg"},        // unknown in a group
                                         std::vector<const char*>{"a.jpg", "-q"},         // value missing
                                         std::vector<const char*>{"a.jpg", "--jobs"},     // value missing
                                         std::vector<const char*>{"-j", "0", "a.jpg"},    // no workers
                                         std::vector<const char*>{"-j", "two", "a.jpg"},  // not a number
                                         std::vector<const char*>{"-j", "2x", "a.jpg"},   // trailing junk
                                         std::vector<const char*>{"-j", "-1", "a.jpg"},   // negative
                                         std::vector<const char*>{"--jobs=99999", "a.jpg"},
                                         std::vector<const char*>{"--gray=yes", "a.jpg"}));  // flag with value

}  // namespace
