#pragma once
// The decisions of one conversion, made once for the window and the command-line tool: from the
// picture's size and what is known so far, the result size and what to do next. The window turns
// the two questions into message boxes and plans again with the answer; the tool answers them in
// advance from its flags, so its plan never asks.

#include <cstdint>

#include "app/conversion/SizeRule.h"

enum class TConversionStep {
    AskReprocess,  // the picture already fits: ask whether to convert it all the same
    AskOverwrite,  // the output exists: ask whether to replace it
    SkipFits,      // the picture already fits and is not to be reprocessed
    SkipExisting,  // the output exists and is not to be replaced
    RefuseEmpty,   // the result has a side of 0: there is nothing to write
    Write,
};

enum class TAnswer { Unasked, Yes, No };

struct TConversionFacts {
    TAnswer Reprocess = TAnswer::Unasked;  // convert a picture that already fits?
    TAnswer Overwrite = TAnswer::Unasked;  // replace an existing output?
    bool OutputExists = false;             // a file (not a folder) is at the output path
};

struct TConversionPlan {
    TResultSize Size;
    TConversionStep Next = TConversionStep::Write;
    // The picture is to be (re)processed: the size rule changes it, or the user wants it redone.
    bool Work = false;
};

// Applies the size rule (and its floating-point failures for a height of 0), then the questions
// in the window's order: reprocess, overwrite, and last the empty result.
TConversionPlan PlanConversion(std::int32_t width, std::int32_t height, const TConversionFacts& facts);
