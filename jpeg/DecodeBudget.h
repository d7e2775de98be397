#pragma once
// What decoding a file may cost. A real photo needs its bytes: every 8 x 8 block of every
// component costs at least a couple of bits of entropy-coded data, so a file far smaller than
// the picture it claims is a bomb or cut short, and may not make us spend gigabytes.

#include <cstdint>

#include "jpeg/CodecContext.h"

namespace jpeg {

// Bytes of memory that decoding a file of `fileBytes` bytes may use.
std::int64_t DecodeBudget(std::int64_t fileBytes);

// Bytes that decoding with the decompressor's settings will take: the bitmap's rows and the
// library's whole-picture buffers (coefficients of multi-scan files, two-pass quantisation).
std::int64_t DecodeCost(j_decompress_ptr d);

// Blocks (8 x 8 samples of one component) that one pass over all components visits.
std::int64_t PictureBlocks(j_decompress_ptr d);

// Raises EJPEG when decoding would cost more than the file's budget; otherwise holds the
// library to its share of the budget. Called after the header, before decoding starts.
void ApplyDecodeBudget(CodecContext& context, std::int64_t fileBytes);

// Raises EJPEG for a coded picture of more pixels than the limit, then applies the budget.
void CheckDecodeCost(CodecContext& context, std::int64_t fileBytes);

}  // namespace jpeg
