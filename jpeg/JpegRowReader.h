#pragma once
// Decoding a JPEG row by row for a caller that keeps only the rows it samples, so that no bitmap
// of the whole picture is made. Only the plain case is served: the image holds no bitmap, its
// decoding settings are the defaults, and the file decodes to 24-bit colour. Everything else is
// declined before any row is decoded, and the caller draws through the held bitmap instead.

#include <cstdint>
#include <memory>

#include "graphics/BgrRows.h"
#include "jpeg/DctScale.h"
#include "platform/IccTransform.h"

class TJPEGImage;

namespace jpeg {

// Rows are already brought to sRGB when the file embeds a profile (unless `toSrgb` is asked for).
using BgrRowSink = TBgrRowSink;

// How the rows are decoded for a caller that reduces them further.
struct RowStreamOptions {
    int scaleEighths = FullDctScale;  // rows of N/8 of the picture's size (DctScaledSide)
    bool grayAsBgr = false;           // a gray file gives blue, green, red rows instead of declining
};

// True when the image could be streamed (every row the decoder gave went to the sink); false,
// having decoded nothing, when it needs the held bitmap (settings, gray or CMYK output). Raises what decoding into the held
// bitmap would raise; a file cut short gives the rows the held bitmap would have got.
// Rows for which `wanted` says false are decoded but neither converted nor given to the sink.
// With `toSrgb`, rows come as stored and the transform that brings them to sRGB (null when they
// need none) is handed out there before the first row, for a caller that converts fewer pixels.
bool StreamJpegRows(TJPEGImage& image, const BgrRowSink& sink, const TRowWanted& wanted = {},
                    std::shared_ptr<const platform::IccTransform>* toSrgb = nullptr,
                    const RowStreamOptions& options = {});

}  // namespace jpeg
