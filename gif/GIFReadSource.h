#pragma once
// The bytes a GIF is read from: a read-ahead window over a file, so that the reader's many small
// reads and steps back cost no system calls and the file is never held whole; and where the
// image data of frames read after the first stays until it is decoded.

#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/Streams.h"

namespace gif {

// The encoded data of frames still to be decoded: parts of the file they were read from, read
// again when needed, or of a copy in memory.
class TEncodedSource {
public:
    virtual ~TEncodedSource() = default;
    // Becomes the `size` bytes at `at`, or as many of them as are there.
    virtual void ReadInto(TMemoryStream& target, std::int64_t at, std::int64_t size) const = 0;
};

// A copy of the stream's `size` bytes from its position; the stream moves past them.
std::shared_ptr<const TEncodedSource> CopiedSource(TStream& stream, std::int64_t size);

// Reading a stream that is not in memory through a window of its bytes; positions count from
// where the stream stood when reading began.
class TReadAhead : public TStream {
public:
    explicit TReadAhead(TStream& source);
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;
    std::int64_t Size() override { return size_; }
    // Frames' data read from a file is read again from that file when it is decoded; null when
    // the source is not a file.
    const std::shared_ptr<const TEncodedSource>& Kept() const { return kept_; }

private:
    TStream& source_;
    const std::int64_t start_, size_;
    std::int64_t position_ = 0;
    std::int64_t windowAt_ = 0;
    std::vector<std::uint8_t> window_;
    std::int64_t windowSize_ = 0;
    std::shared_ptr<const TEncodedSource> kept_;
};

}  // namespace gif
