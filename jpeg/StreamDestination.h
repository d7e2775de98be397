#pragma once
// The compressor's destination manager: output gathered in a 4096-byte buffer and written to
// one of our streams a block at a time.

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

class TStream;

namespace jpeg {
inline constexpr std::size_t StreamDestinationBufferSize = 4096;
// Installs the manager (made once per compressor) writing to the stream.
void InstallStreamDestination(j_compress_ptr cinfo, TStream& stream);
}  // namespace jpeg
