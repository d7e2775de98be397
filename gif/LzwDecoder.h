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
// The same into `pixels` (width x height bytes of the fill index; null decodes nothing), with
// the data's warnings reported only when `report` is set.
void DecodePixels(TGIFSubImage& frame, TStream& stream, std::uint8_t* pixels, bool report);
// Follows the data's codes exactly as far as decoding would, with the same warnings and errors
// and leaving the stream at the same place, but without making pixels.
void CheckPixels(TGIFSubImage& frame, TStream& stream);
}  // namespace gif
