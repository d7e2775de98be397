#pragma once
// The one place that talks to libpng. Its errors become EInvalidGraphic "PNG image is not
// valid"; it prints nothing.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "formats/StoredPicture.h"
#include "graphics/BgrRows.h"

class TBitmap;

namespace formats {
// Reads the header chunks only, checking the size against the bounds. The orientation comes from
// an eXIf chunk before the pixel data.
TStoredPicture ReadPngInfo(const std::uint8_t* bytes, std::size_t size);
// The pixels as stored (no orientation applied), alpha composed over white.
std::unique_ptr<TBitmap> DecodePng(const std::uint8_t* bytes, std::size_t size);
// The same pixels row by row, top to bottom, to `sink`; false, having given no row, for an
// interlaced file, whose rows are final only after the last pass.
bool StreamPng(const std::uint8_t* bytes, std::size_t size, const TBgrRowSink& sink, const TRowWanted& wanted);
// The profile of an iCCP chunk, empty without one or when the file cannot be read.
std::vector<std::uint8_t> PngProfile(const std::uint8_t* bytes, std::size_t size);
}  // namespace formats
