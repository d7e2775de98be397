#pragma once
// Decoding of a frame's Table Based Image Data into its colour indices.

#include <cstdint>

class TGIFSubImage;
class TStream;

namespace gif {
// Fills the frame's pixel buffer from the stream, which stands at the LZW minimum code size;
// leaves the stream after the image data. Pixels the data does not reach keep the frame's fill
// index. Faults of the data are warnings, except a string table that loops.
void DecodePixels(TGIFSubImage& frame, TStream& stream);
// The encoded data of a frame read after the first, decoded when its pixels are needed, into
// `pixels` (width x height bytes of the fill index). A string table that loops ends the pixels
// there, with a warning, instead of failing; warnings are reported only when `report` is set.
void DecodeLaterPixels(TGIFSubImage& frame, TStream& stream, std::uint8_t* pixels, bool report);
}  // namespace gif
