#pragma once
// The ICC profile a JPEG file embeds in its APP2 "ICC_PROFILE" markers.

#include <cstdint>
#include <memory>
#include <vector>

#include <jpeglib.h>

#include "platform/IccTransform.h"

namespace jpeg {

// Asks the library to keep the APP2 markers while it reads the header.
void KeepProfileMarkers(j_decompress_ptr cinfo);

// The profile's chunks joined in sequence order; empty when there is none, or when the chunks
// disagree on their count, one is missing or repeated, or the whole is larger than the limit.
std::vector<std::uint8_t> EmbeddedProfile(j_decompress_ptr cinfo);

// The transform that brings the decoder's output to sRGB, or null when the rows stay as
// decoded: no usable profile, or output the profile cannot describe (palette indices, gray).
std::shared_ptr<const platform::IccTransform> ProfileTransform(j_decompress_ptr cinfo, bool grayOutput);

}  // namespace jpeg
