#include "gif/GIFStreamIO.h"

#include <algorithm>
#include <cstring>

#include "gif/GIFMessages.h"
#include "graphics/Streams.h"
#include "platform/LittleEndian.h"

namespace gif {

void ReadExact(TStream& stream, void* buffer, std::int64_t n) {
    if (n <= 0) return;
    if (stream.Read(buffer, n) != n) RaiseGIFError(gifmsg::SPrematureEOF);
}

int ReadU8(TStream& stream) {
    std::uint8_t value;
    return stream.Read(&value, 1) == 1 ? value : -1;
}

int ReadNonZeroU8(TStream& stream) {
    int value;
    do value = ReadU8(stream);
    while (value == 0);
    return value;
}

int PeekU8(TStream& stream) {
    const int value = ReadU8(stream);
    if (value >= 0) stream.Seek(-1, TSeekOrigin::soCurrent);
    return value;
}

void WriteU8(TStream& stream, std::uint8_t value) { stream.WriteBuffer(&value, 1); }

std::uint16_t ReadU16(TStream& stream) {
    std::uint8_t bytes[2];
    ReadExact(stream, bytes, 2);
    return platform::LittleU16(bytes);
}

void WriteU16(TStream& stream, std::uint16_t value) {
    const std::uint8_t bytes[2] = {std::uint8_t(value), std::uint8_t(value >> 8)};
    stream.WriteBuffer(bytes, 2);
}

void SkipBytes(TStream& stream, std::int64_t n) {
    n = std::min(n, std::max<std::int64_t>(stream.Remaining(), 0));
    if (n > 0) stream.Seek(n, TSeekOrigin::soCurrent);
}

void SkipSubBlocks(TStream& stream) {
    for (int size = ReadU8(stream); size > 0; size = ReadU8(stream)) SkipBytes(stream, size);
}

void ReadSubBlockLines(TStream& stream, TGIFLines& lines) {
    lines.clear();
    char block[255];
    for (int size = ReadU8(stream); size > 0; size = ReadU8(stream)) {
        ReadExact(stream, block, size);
        lines.emplace_back(block, ::strnlen(block, std::size_t(size)));
    }
}

void WriteSubBlockLines(TStream& stream, const TGIFLines& lines) {
    for (const std::string& line : lines)
        for (std::size_t at = 0; at < line.size(); at += 255) {
            const std::size_t piece = std::min<std::size_t>(255, line.size() - at);
            WriteU8(stream, std::uint8_t(piece));
            stream.WriteBuffer(line.data() + at, std::int64_t(piece));
        }
    WriteU8(stream, 0);
}

}  // namespace gif
