#pragma once
// Writes a whole file or nothing: the bytes go to a temporary file in the target's folder, which
// takes the target's place only once it is complete and on disk. A failure leaves any previous
// file as it was.

#include <cstddef>
#include <cstdint>
#include <string>

#include "graphics/Exceptions.h"

// Raised when the target exists and may not be replaced; the existing file stays as it was.
OBRAZOR_EXCEPTION(EOutputExists, EFCreateError);

enum class TPublish {
    Replace,       // an existing target is replaced; the new file keeps its permission bits
    KeepExisting,  // an existing target wins, even one that appears while the file is written
};

// A file being written beside its target. The temporary name is short and derived from the
// target's name, so that any legal target name works and the leftover of a killed writer is
// found and removed by the next writer of the same target.
class TAtomicFile {
public:
    // Creates the temporary file; raises EFCreateError with the target path and the reason.
    explicit TAtomicFile(const std::string& target);
    ~TAtomicFile();  // removes the temporary file unless it was published
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // Writes all bytes and forces them to disk.
    void Write(const std::uint8_t* data, std::size_t size);
    // Puts the file in the target's place and forces the folder entry to disk. With KeepExisting
    // an existing target raises EOutputExists and the temporary file is removed.
    void Publish(TPublish mode);

    // The temporary name used by the given attempt for `target` (the first attempt is 0).
    static std::string TemporaryName(const std::string& target, int attempt);

private:
    [[noreturn]] void Fail(int error);

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
};

// Raises EFCreateError "Cannot create file "%s". %s" with the target path and the system's
// reason when the file cannot be written, EOutputExists when KeepExisting finds a target.
void WriteFileAtomically(const std::string& path, const std::uint8_t* data, std::size_t size,
                         TPublish mode = TPublish::Replace);
