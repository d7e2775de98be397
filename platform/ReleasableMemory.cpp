#include "platform/ReleasableMemory.h"

#include <sys/mman.h>
#include <unistd.h>

namespace platform {

ReleasableMemory::ReleasableMemory(std::size_t size) {
    if (size == 0) return;
    void* block = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (block == MAP_FAILED) return;
    data_ = static_cast<std::uint8_t*>(block);
    size_ = size;
}

ReleasableMemory::~ReleasableMemory() {
    if (data_) ::munmap(data_, size_);
}

void ReleasableMemory::ReleaseBelow(std::size_t end) {
    static const std::size_t page = std::size_t(::sysconf(_SC_PAGESIZE));
    if (!data_) return;
    if (end > size_) end = size_;
    end -= end % page;  // the block starts on a page
    if (end <= released_) return;
    ::madvise(data_ + released_, end - released_, MADV_DONTNEED);
    released_ = end;
}

void PopulateForWriting(void* data, std::size_t size) {
    static const std::uintptr_t page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + size) / page * page;
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
}

}  // namespace platform
