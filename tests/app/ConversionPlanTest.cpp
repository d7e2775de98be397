#include "app/conversion/ConversionPlan.h"

#include <gtest/gtest.h>

namespace {

using enum TAnswer;
using enum TConversionStep;

struct PlanCase {
    std::int32_t width, height;
    TConversionFacts facts;
    TConversionStep next;
    bool work;
};

void PrintTo(const PlanCase& c, std::ostream* os) {
    *os << c.width << 'x' << c.height << " reprocess=" << int(c.facts.Reprocess)
        << " overwrite=" << int(c.facts.Overwrite) << (c.facts.OutputExists ? " exists" : "");
}

class ConversionPlan : public testing::TestWithParam<PlanCase> {};

TEST_P(ConversionPlan, NextStepAndWork) {
    const PlanCase& c = GetParam();
    const TConversionPlan plan = PlanConversion(c.width, c.height, c.facts);
    EXPECT_EQ(plan.Next, c.next);
    EXPECT_EQ(plan.Work, c.work);
}

// The reprocess question comes before the overwrite question, and an empty result is refused
// only once both are settled.
INSTANTIATE_TEST_SUITE_P(
    Table, ConversionPlan,
    testing::Values(PlanCase{1600, 1200, {}, Write, true},
                    PlanCase{1600, 1200, {Unasked, Unasked, true}, AskOverwrite, true},
                    PlanCase{1600, 1200, {Unasked, Yes, true}, Write, true},
                    PlanCase{1600, 1200, {Unasked, No, true}, SkipExisting, true},
                    PlanCase{1600, 1200, {No, No, false}, Write, true},  // the size rule needs no answer
                    PlanCase{640, 480, {}, AskReprocess, false},
                    PlanCase{640, 480, {Unasked, Unasked, true}, AskReprocess, false},
                    PlanCase{640, 480, {No, Unasked, true}, SkipFits, false},
                    PlanCase{360, 480, {Yes, Unasked, false}, Write, true},
                    PlanCase{360, 480, {Yes, Unasked, true}, AskOverwrite, true},
                    PlanCase{360, 480, {Yes, No, true}, SkipExisting, true}, PlanCase{1300, 2, {}, RefuseEmpty, true},
                    PlanCase{1300, 2, {Unasked, Unasked, true}, AskOverwrite, true},
                    PlanCase{1300, 2, {Unasked, No, true}, SkipExisting, true},
                    PlanCase{1300, 2, {Unasked, Yes, true}, RefuseEmpty, true}));

}  // namespace
