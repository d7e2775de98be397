#include "app/conversion/ConversionPlan.h"

namespace {

TConversionStep NextStep(const TConversionPlan& plan, const TConversionFacts& facts) {
    if (plan.Size.Rule == TSizeRule::Fits && facts.Reprocess != TAnswer::Yes)
        return facts.Reprocess == TAnswer::Unasked ? TConversionStep::AskReprocess : TConversionStep::SkipFits;
    if (facts.OutputExists && facts.Overwrite != TAnswer::Yes)
        return facts.Overwrite == TAnswer::Unasked ? TConversionStep::AskOverwrite : TConversionStep::SkipExisting;
    if (IsEmptyResult(plan.Size.Width, plan.Size.Height)) return TConversionStep::RefuseEmpty;
    return TConversionStep::Write;
}

}  // namespace

TConversionPlan PlanConversion(std::int32_t width, std::int32_t height, const TConversionFacts& facts) {
    TConversionPlan plan;
    plan.Size = ApplySizeRule(width, height);
    plan.Work = plan.Size.Rule != TSizeRule::Fits || facts.Reprocess == TAnswer::Yes;
    plan.Next = NextStep(plan, facts);
    return plan;
}
