#pragma once
// Bounds on what a JPEG file may make us spend. Beyond them a file fails (or, for scans, is cut
// short) instead of exhausting memory or time.

#include <cstdint>

namespace jpeg {
// Pixels of the coded picture (width x height) that decoding accepts: above 250 megapixels, yet
// the whole-image coefficient buffers of a progressive file stay within a few gigabytes.
inline constexpr std::int64_t MaxJpegPixels = 300'000'000;
// Bytes of a JPEG file an image holds; larger files fail like pictures too big to decode.
inline constexpr std::int64_t MaxJpegBytes = std::int64_t(1) << 30;
// Scans a multi-scan file may have; every scan costs a pass over the picture, so a hostile file
// of tiny scans would otherwise keep the decoder busy for hours. Further scans are ignored.
inline constexpr int MaxJpegScans = 256;
// Memory any file may make decoding use, however small it is: pictures up to about 80
// megapixels at 24 bits.
inline constexpr std::int64_t MinJpegBudget = std::int64_t(256) << 20;
// Memory each byte of the file adds to what decoding may use. Real photos bring far more than
// one byte per 512 bytes of decoded picture (a baseline file of one flat colour, 2 bits per
// block, brings exactly that), so only bombs, pictures of one colour beyond the minimum above
// written progressively, and files cut to a sliver are refused; a file under 1 MB stays under
// about 800 MB.
inline constexpr std::int64_t JpegBudgetPerFileByte = 512;
// Blocks (8 x 8 samples of one component) that the scans of a file may decode in all: ten
// passes over a 250-megapixel photo of full colour resolution, twice what the usual progressive
// scripts need. Scans beyond it are ignored like data that never came, so that hundreds of
// scans over a big picture cannot keep the decoder busy for a minute.
inline constexpr std::int64_t MaxJpegScanBlocks = 128'000'000;
}  // namespace jpeg
