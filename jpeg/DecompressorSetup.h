#pragma once
// Reading a JPEG header and preparing the decompressor with an image's decoding settings.

#include <cstdint>

#include "jpeg/CodecContext.h"

class TJPEGImage;
class TMemoryStream;

namespace jpeg {

struct JpegHeaderInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool gray = false;
    bool progressive = false;
};

// The header of the bytes, read without progress and without decoding.
JpegHeaderInfo ReadJpegHeader(TMemoryStream& bytes);

// Creates the decompressor over the image's bytes, reads the header and applies the image's
// settings. Four-component files keep their CMYK output: they are converted row by row.
void SetUpDecompressor(CodecContext& context, TJPEGImage& image);

// The output size at the image's decode scale.
JpegHeaderInfo ScaledSize(TJPEGImage& image);

// Raises EJPEG unless the output the library will make fits the bitmap's rows: one sample per
// pixel for gray or quantised output, three for the 24-bit path, four for the CMYK rows. Files
// of 2 or 5 to 10 components keep an unknown colour space whose rows are wider than ours.
void CheckOutputComponents(CodecContext& context);

// True when the file's samples come as CMYK and need our own conversion.
inline bool HasCmykOutput(j_decompress_ptr cinfo) { return cinfo->out_color_space == JCS_CMYK; }

}  // namespace jpeg
