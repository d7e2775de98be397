#pragma once
// Memory for a decoder that fills a whole picture from top to bottom while its reader takes each
// row as soon as it is final: the pages of rows already taken go back to the system, and pages
// not yet written take none, so the resident memory stays a band of rows however large the
// picture.

#include <cstddef>
#include <cstdint>

namespace platform {

class ReleasableMemory {
public:
    // Null Data() when the address space cannot be had.
    explicit ReleasableMemory(std::size_t size);
    ~ReleasableMemory();
    ReleasableMemory(const ReleasableMemory&) = delete;
    ReleasableMemory& operator=(const ReleasableMemory&) = delete;

    std::uint8_t* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    // Gives back the whole pages below byte `end`; they read as zeros when touched again.
    void ReleaseBelow(std::size_t end);

private:
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t released_ = 0;
};

// Puts in at once the pages wholly inside [data, data + size), memory about to be written whole:
// one call costs a fraction of faulting them in one by one on first touch. Advice only: where
// the system cannot, the pages come on first touch as usual.
void PopulateForWriting(void* data, std::size_t size);

}  // namespace platform
