#include "gif/GIFReadSource.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "graphics/Exceptions.h"
#include "graphics/Messages.h"

namespace gif {
namespace {

constexpr std::int64_t kWindow = 256 * 1024;

class TMemorySource : public TEncodedSource {
public:
    TMemorySource(TStream& stream, std::int64_t size) { copy_.ReadFrom(stream, size); }
    void ReadInto(TMemoryStream& target, std::int64_t at, std::int64_t size) const override {
        size = std::clamp<std::int64_t>(copy_.Size() - at, 0, size);
        target.WriteBuffer(copy_.Memory() + at, size);
    }

private:
    mutable TMemoryStream copy_;
};

// The file through a descriptor of its own, so that it stays readable after the stream that
// opened it is closed, and is read at given places without moving anyone's position.
class TFileSource : public TEncodedSource {
public:
    // Places count from `origin` in the file.
    TFileSource(int fd, std::int64_t origin) : fd_(fd), origin_(origin) {}
    ~TFileSource() override { ::close(fd_); }
    TFileSource(const TFileSource&) = delete;
    TFileSource& operator=(const TFileSource&) = delete;
    void ReadInto(TMemoryStream& target, std::int64_t at, std::int64_t size) const override {
        target.SetSize(size);
        std::int64_t done = 0;
        while (done < size) {
            const ssize_t n =
                ::pread(fd_, target.Memory() + done, std::size_t(size - done), off_t(origin_ + at + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            done += n;
        }
        target.SetSize(done);
    }

private:
    const int fd_;
    const std::int64_t origin_;
};

}  // namespace

std::shared_ptr<const TEncodedSource> CopiedSource(TStream& stream, std::int64_t size) {
    return std::make_shared<TMemorySource>(stream, size);
}

TReadAhead::TReadAhead(TStream& source)
    : source_(source), start_(source.Position()), size_(std::max<std::int64_t>(source.Size() - start_, 0)) {
    if (auto* file = dynamic_cast<TFileStream*>(&source)) {
        const int fd = ::fcntl(file->Handle(), F_DUPFD_CLOEXEC, 0);
        if (fd >= 0) kept_ = std::make_shared<TFileSource>(fd, start_);
    }
}

std::int64_t TReadAhead::Read(void* buffer, std::int64_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::int64_t done = 0;
    while (done < count && position_ < size_) {
        if (position_ < windowAt_ || position_ >= windowAt_ + windowSize_) {
            if (window_.empty()) window_.resize(std::size_t(kWindow));
            windowAt_ = position_;
            source_.SetPosition(start_ + windowAt_);
            windowSize_ = source_.Read(window_.data(), std::min(kWindow, size_ - windowAt_));
            if (windowSize_ <= 0) {
                windowSize_ = 0;
                break;
            }
        }
        const std::int64_t n = std::min(count - done, windowAt_ + windowSize_ - position_);
        std::memcpy(out + done, window_.data() + (position_ - windowAt_), std::size_t(n));
        done += n;
        position_ += n;
    }
    return done;
}

std::int64_t TReadAhead::Write(const void*, std::int64_t) { throw EWriteError(msg::SStreamWrite); }

void TReadAhead::SetSize(std::int64_t) { throw EWriteError(msg::SStreamWrite); }

std::int64_t TReadAhead::Seek(std::int64_t offset, TSeekOrigin origin) {
    const std::int64_t base = origin == TSeekOrigin::soBeginning ? 0
                              : origin == TSeekOrigin::soCurrent ? position_
                                                                 : size_;
    position_ = std::max<std::int64_t>(base + offset, 0);
    return position_;
}

}  // namespace gif
