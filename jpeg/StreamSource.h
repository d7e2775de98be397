#pragma once
// The decompressor's source manager over one of our streams: 4096-byte reads, and an end-of-
// image marker of its own when the data ends early, so a cut-off file still decodes.

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

class TStream;

namespace jpeg {
inline constexpr std::size_t StreamSourceBufferSize = 4096;
// Installs the manager (made once per decompressor) over the stream from its current position.
void InstallStreamSource(j_decompress_ptr cinfo, TStream& stream);
// From now on the source gives only the end-of-image marker.
void EndStreamSource(j_decompress_ptr cinfo);
}  // namespace jpeg
