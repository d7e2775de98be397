#pragma once
// The save road of a conversion, shared by the window and the command-line tool so that both
// write the same bytes: a white working bitmap of the result size, the picture stretched into
// it, a JPEG compressed from it and written in one piece.

#include <cstdint>
#include <memory>
#include <string>

#include "app/conversion/AtomicFile.h"
#include "app/conversion/QualityText.h"
#include "app/conversion/SizeRule.h"
#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/Graphic.h"

// How the picture is brought to the result size: sampled one source pixel per target pixel, as
// the window's stretch draws (the default, and what every earlier output was made with), or
// filtered (SmoothDraw.h).
enum class TReduction { Exact, Smooth };

struct TJpegOutput {
    bool Gray = false;
    std::uint8_t Quality = kDefaultJpegQuality;
    TReduction Reduction = TReduction::Exact;
};

// Raised instead of writing a JPEG without pixels; the message is for the user.
OBRAZOR_EXCEPTION(EEmptyResult, Exception);

// A white bitmap of the given size, made as an image control makes one (width, then height,
// display format).
std::unique_ptr<TBitmap> NewWorkingBitmap(std::int32_t width, std::int32_t height);

// The working bitmap: made as an image control makes it (width, then height, display format,
// white), with the graphic stretched or smoothly reduced over all of it.
std::unique_ptr<TBitmap> MakeWorkingBitmap(TGraphic& graphic, std::int32_t width, std::int32_t height,
                                           TReduction reduction = TReduction::Exact);

// Raises EEmptyResult when the size has a side of 0: such a JPEG would hold no picture.
void RequireDrawableSize(std::int32_t width, std::int32_t height);
[[noreturn]] void RaiseEmptyResult(std::int32_t width, std::int32_t height);

// Compresses the working bitmap and puts the result at `path`: replacing a file there, or with
// KeepExisting raising EOutputExists when one is there by the time the result is complete.
void SaveJpeg(TBitmap& working, const TJpegOutput& output, const std::string& path,
              TPublish publish = TPublish::Replace);

// Draws the graphic into a working bitmap of the result size and saves it as a JPEG at `target`;
// raises EEmptyResult for a size with a side of 0.
void SaveConversion(TGraphic& graphic, const TResultSize& size, const TJpegOutput& output, const std::string& target,
                    TPublish publish = TPublish::Replace);
