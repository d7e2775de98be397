#pragma once
// Byte streams with a position and a size: a file stream (opened for reading with other writers
// denied, or created) and a memory stream that grows as it is written.

#include <cstdint>
#include <memory>
#include <string>

#include "graphics/Persistent.h"

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // Read and Write move up to count bytes and return how many they moved.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
    virtual void SetSize(std::int64_t size) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    virtual std::int64_t Size();
    std::int64_t Remaining() { return Size() - Position(); }

    // Whole-block transfers: a short read raises EReadError "Stream read error", a short write
    // EWriteError "Stream write error".
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from the source's position (all of the source when count is 0).
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

    std::uint32_t ReadUInt32();
    std::int32_t ReadInt32() { return std::int32_t(ReadUInt32()); }
    std::uint16_t ReadUInt16();
    std::uint8_t ReadUInt8();
    void WriteUInt32(std::uint32_t value);
    void WriteInt32(std::int32_t value) { WriteUInt32(std::uint32_t(value)); }
    void WriteUInt16(std::uint16_t value);
    void WriteUInt8(std::uint8_t value) { WriteBuffer(&value, 1); }
};

class TFileStream : public TStream {
public:
    enum Mode { fmOpenRead, fmCreate };
    // Raises EFOpenError or EFCreateError with the expanded path and the system's reason.
    TFileStream(const std::string& path, Mode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;
    std::int64_t Size() override;
    const std::string& FileName() const { return path_; }
    // The system's descriptor of the open file.
    int Handle() const { return fd_; }

private:
    std::string path_;
    int fd_ = -1;
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Growth that cannot be had raises EStreamError "Out of memory while expanding memory stream".
    // New bytes read as zero.
    void SetSize(std::int64_t size) override;
    std::int64_t Size() override { return size_; }

    void Clear();
    const std::uint8_t* Memory() const { return data_.get(); }
    std::uint8_t* Memory() { return data_.get(); }
    void LoadFromStream(TStream& source);  // the whole source, from its start
    void SaveToStream(TStream& target);    // all bytes, in one write
    // Becomes exactly `count` bytes read from the source's position, in one block read; a short
    // source raises EReadError and leaves the stream empty.
    void ReadFrom(TStream& source, std::int64_t count);

private:
    // Keeps the content; bytes beyond the size are left unset until written.
    void Reserve(std::int64_t capacity);

    std::unique_ptr<std::uint8_t[]> data_;
    std::int64_t size_ = 0;
    std::int64_t capacity_ = 0;
    std::int64_t position_ = 0;
};

// The path as the system would resolve it: relative paths joined to the current directory.
std::string ExpandFileName(const std::string& path);
