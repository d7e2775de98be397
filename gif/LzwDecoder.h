#pragma once
// Decoding of a frame's Table Based Image Data into its colour indices.

class TGIFSubImage;
class TStream;

namespace gif {
// Fills the frame's pixel buffer from the stream, which stands at the LZW minimum code size;
// leaves the stream after the image data. Pixels the data does not reach keep the frame's fill
// index. Faults of the data are warnings, except a string table that loops.
void DecodePixels(TGIFSubImage& frame, TStream& stream);
}  // namespace gif
