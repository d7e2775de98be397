#include "graphics/Streams.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <new>
#include <vector>

#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "platform/LittleEndian.h"
#include "platform/ReleasableMemory.h"

std::int64_t TStream::Size() {
    const std::int64_t position = Seek(0, TSeekOrigin::soCurrent);
    const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError(msg::SStreamRead);
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError(msg::SStreamWrite);
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    constexpr std::int64_t kBlock = 1 << 16;
    std::vector<std::uint8_t> buffer(std::size_t(std::min(count, kBlock)));
    std::int64_t left = count;
    while (left > 0) {
        const std::int64_t n = std::min(left, kBlock);
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

std::uint32_t TStream::ReadUInt32() {
    std::uint8_t b[4];
    ReadBuffer(b, 4);
    return platform::LittleU32(b);
}

std::uint16_t TStream::ReadUInt16() {
    std::uint8_t b[2];
    ReadBuffer(b, 2);
    return platform::LittleU16(b);
}

std::uint8_t TStream::ReadUInt8() {
    std::uint8_t b;
    ReadBuffer(&b, 1);
    return b;
}

void TStream::WriteUInt32(std::uint32_t value) {
    const std::uint8_t b[4] = {std::uint8_t(value), std::uint8_t(value >> 8), std::uint8_t(value >> 16),
                               std::uint8_t(value >> 24)};
    WriteBuffer(b, 4);
}

void TStream::WriteUInt16(std::uint16_t value) {
    const std::uint8_t b[2] = {std::uint8_t(value), std::uint8_t(value >> 8)};
    WriteBuffer(b, 2);
}

std::string ExpandFileName(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    if (error) return path;
    return absolute.lexically_normal().string();
}

namespace {

// Why an open file cannot be read as a picture file (folders, FIFOs, devices, sockets), or
// nothing when it is a regular file.
const char* RefusedKind(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return std::strerror(errno);
    if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
    if (!S_ISREG(info.st_mode)) return msg::SNotRegularFile;
    return nullptr;
}

}  // namespace

TFileStream::TFileStream(const std::string& path, Mode mode) : path_(path) {
    if (mode == fmOpenRead) {
        // Without blocking: opening a FIFO would otherwise wait for a writer forever.
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        const char* reason = fd_ < 0 ? std::strerror(errno) : RefusedKind(fd_);
        if (reason) {
            if (fd_ >= 0) ::close(fd_);
            fd_ = -1;
            throw EFOpenError(Format(msg::SFOpenError, ExpandFileName(path).c_str(), reason));
        }
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        // Other readers are welcome; writers are kept out where the system honours it.
        ::flock(fd_, LOCK_SH | LOCK_NB);
    } else {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            const int error = errno;
            throw EFCreateError(Format(msg::SFCreateError, ExpandFileName(path).c_str(), std::strerror(error)));
        }
    }
}

TFileStream::~TFileStream() {
    if (fd_ >= 0) ::close(fd_);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    auto* bytes = static_cast<std::uint8_t*>(buffer);
    while (done < count) {
        const ssize_t n = ::read(fd_, bytes + done, std::size_t(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(fd_, bytes + done, std::size_t(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET
                       : origin == TSeekOrigin::soCurrent ? SEEK_CUR
                                                          : SEEK_END;
    const off_t result = ::lseek(fd_, off_t(offset), whence);
    return result < 0 ? -1 : std::int64_t(result);
}

void TFileStream::SetSize(std::int64_t size) {
    if (::ftruncate(fd_, off_t(size)) != 0) throw EWriteError(msg::SStreamWrite);
}

std::int64_t TFileStream::Size() {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return 0;
    return std::int64_t(info.st_size);
}

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    const std::int64_t available = std::max<std::int64_t>(0, size_ - position_);
    const std::int64_t n = std::max<std::int64_t>(0, std::min(count, available));
    if (n > 0) std::memcpy(buffer, data_.get() + position_, std::size_t(n));
    position_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0 || position_ < 0) return 0;
    const std::int64_t end = position_ + count;
    if (end > capacity_) Reserve(std::max(end, capacity_ + capacity_ / 2));  // linear for small writes
    if (position_ > size_) std::memset(data_.get() + size_, 0, std::size_t(position_ - size_));
    std::memcpy(data_.get() + position_, buffer, std::size_t(count));
    size_ = std::max(size_, end);
    position_ = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    switch (origin) {
    case TSeekOrigin::soBeginning: position_ = offset; break;
    case TSeekOrigin::soCurrent: position_ += offset; break;
    case TSeekOrigin::soEnd: position_ = size_ + offset; break;
    }
    return position_;
}

void TMemoryStream::Reserve(std::int64_t capacity) {
    if (capacity <= capacity_) return;
    std::unique_ptr<std::uint8_t[]> grown(new (std::nothrow) std::uint8_t[std::size_t(capacity)]);
    if (!grown) throw EStreamError(msg::SMemoryStreamError);
    if (size_ > 0) std::memcpy(grown.get(), data_.get(), std::size_t(size_));
    data_ = std::move(grown);
    capacity_ = capacity;
}

void TMemoryStream::SetSize(std::int64_t size) {
    if (size < 0) size = 0;
    Reserve(size);
    if (size > size_) std::memset(data_.get() + size_, 0, std::size_t(size - size_));
    size_ = size;
    if (position_ > size) position_ = size;
}

void TMemoryStream::Clear() {
    data_.reset();
    size_ = capacity_ = position_ = 0;
}

void TMemoryStream::ReadFrom(TStream& source, std::int64_t count) {
    Clear();
    Reserve(count);
    platform::PopulateForWriting(data_.get(), std::size_t(count));
    try {
        source.ReadBuffer(data_.get(), count);
    } catch (...) {
        Clear();
        throw;
    }
    size_ = count;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    ReadFrom(source, source.Size());
}

void TMemoryStream::SaveToStream(TStream& target) {
    if (size_ > 0) target.WriteBuffer(data_.get(), size_);
}
