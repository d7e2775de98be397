#pragma once
// Checked reads and sub-block transfers shared by every block of a GIF file.

#include <cstdint>

#include "gif/GIFExtension.h"

class TStream;

namespace gif {
// Reads exactly n bytes; fewer raise "Premature end of data".
void ReadExact(TStream& stream, void* buffer, std::int64_t n);
// One byte, or -1 at the end of the stream.
int ReadU8(TStream& stream);
// One byte, skipping bytes of value 0; -1 at the end of the stream.
int ReadNonZeroU8(TStream& stream);
// The next byte without consuming it; -1 at the end of the stream.
int PeekU8(TStream& stream);
void WriteU8(TStream& stream, std::uint8_t value);
std::uint16_t ReadU16(TStream& stream);  // checked, little-endian
void WriteU16(TStream& stream, std::uint16_t value);
// Moves on by n bytes, or to the end of the stream when fewer are left.
void SkipBytes(TStream& stream, std::int64_t n);
// Skips data sub-blocks up to and including the zero-length terminator, or to the stream's end.
void SkipSubBlocks(TStream& stream);
// Sub-blocks as lines of text: each block one line, ending at its first zero byte.
void ReadSubBlockLines(TStream& stream, TGIFLines& lines);
// Each line cut into blocks of at most 255 bytes (an empty line writes none), then a 0 byte.
void WriteSubBlockLines(TStream& stream, const TGIFLines& lines);
}  // namespace gif
