#pragma once
// Limits of the reader. A GIF describes sizes up to 65535 x 65535 and any number of frames; these
// keep a damaged or hostile file from asking for gigabytes or minutes, while real animations
// (2,000 frames of 500 x 500) still load.

#include <cstdint>

namespace gif {
// Pixels of the logical screen: what a composed picture of the whole image would need.
inline constexpr std::int64_t MaxScreenPixels = std::int64_t(1) << 26;  // 8192 x 8192
// Pixels of one frame's index buffer.
inline constexpr std::int64_t MaxFramePixels = std::int64_t(1) << 26;
// Pixels of all frames' index buffers together (one byte each).
inline constexpr std::int64_t MaxTotalPixels = std::int64_t(1) << 29;  // 512 MiB
// What an animation may hold at once: every frame's bitmap (a byte a pixel) and the composed
// screen with the work bitmaps that disposal needs (four bytes a pixel each). A picture beyond
// it shows its first frame without animating.
inline constexpr std::int64_t MaxAnimationBytes = std::int64_t(1) << 29;  // 512 MiB
// Frames of one image, with or without pixels.
inline constexpr std::int64_t MaxFrameCount = 10000;
// The decoder's fixed tables: 12-bit codes, and a string never longer than the table.
inline constexpr int MaxCodeBits = 12;
inline constexpr int TableSize = 1 << MaxCodeBits;
inline constexpr int OutputStackSize = 2 * TableSize;
// A larger minimum code size would make the Clear code itself fall outside the table.
inline constexpr int MaxInitialCodeSize = MaxCodeBits - 1;
// The encoder emits a Clear rather than fill the last table entry.
inline constexpr int MaxLzwEntry = TableSize - 2;
}  // namespace gif
