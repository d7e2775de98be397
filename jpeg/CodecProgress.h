#pragma once
// The library's progress hook: turns its pass counters into psRunning reports to the image,
// at most one every ProgressInterval milliseconds and only when the percentage moves.

#include <cstdio>

#include <jpeglib.h>

namespace jpeg {
inline constexpr unsigned ProgressInterval = 500;  // milliseconds between reports
void CodecProgress(j_common_ptr cinfo);
}  // namespace jpeg
