#pragma once
// The decompressor's source manager over a memory stream: the library reads the stream's block
// in place, and gets an end-of-image marker of its own when the data ends early, so a cut-off
// file still decodes.

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

class TMemoryStream;

namespace jpeg {
// Installs the manager (made once per decompressor) over the stream's bytes from its current
// position. The bytes must stay as they are while the decompressor reads them.
void InstallStreamSource(j_decompress_ptr cinfo, TMemoryStream& stream);
// From now on the source gives only the end-of-image marker.
void EndStreamSource(j_decompress_ptr cinfo);
}  // namespace jpeg
