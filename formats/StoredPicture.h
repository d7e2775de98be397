#pragma once
// What a picture's header tells, and the calls a raster image makes into its format's library.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/BgrRows.h"

class TBitmap;

// The size as stored and the EXIF orientation that turns it upright (1 without one).
struct TStoredPicture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int orientation = 1;
};

// One format's library: the functions raise EInvalidGraphic `invalidMessage` for bytes they
// cannot take, except `colorProfile`, which never raises.
struct TRasterCodec {
    const char* formatName;  // in messages: "PNG"
    const char* invalidMessage;
    // The header alone, its size checked against the bounds.
    TStoredPicture (*readStored)(const std::uint8_t* bytes, std::size_t size);
    // The pixels as stored, alpha composed over white.
    std::unique_ptr<TBitmap> (*decodeStored)(const std::uint8_t* bytes, std::size_t size);
    // The embedded ICC profile, empty when there is none.
    std::vector<std::uint8_t> (*colorProfile)(const std::uint8_t* bytes, std::size_t size);
    // The pixels of `decodeStored` row by row, top to bottom, for a caller that samples them;
    // false, having given no row, for a file that must be decoded whole. Null when no file of
    // the format streams.
    bool (*streamStored)(const std::uint8_t* bytes, std::size_t size, const TBgrRowSink& sink,
                         const TRowWanted& wanted) = nullptr;
};
