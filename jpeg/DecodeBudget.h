#pragma once
// What decoding a file may cost. A real photo needs its bytes: every 8 x 8 block of every
// component costs at least a couple of bits of entropy-coded data, so a file far smaller than
// the picture it claims is a bomb or cut short, and may not make us spend gigabytes.

#include <cstdint>

#include "jpeg/CodecContext.h"

namespace jpeg {

// Raises EJPEG for a coded picture of more pixels than the limit, or when decoding would cost
// more than the file's budget; otherwise holds the library to its share of the budget. Called
// after the header, before decoding starts.
void CheckDecodeCost(CodecContext& context, std::int64_t fileBytes);

}  // namespace jpeg
