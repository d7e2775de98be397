#pragma once
// giflib reading from bytes in memory, for the tests and benchmarks that use giflib as an
// independent reference.

#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace giflibmemory {

struct Cursor {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at = 0;
};

inline int Read(GifFileType* file, GifByteType* buffer, int count) {
    auto* cursor = static_cast<Cursor*>(file->UserData);
    const std::size_t n = std::min<std::size_t>(std::size_t(count), cursor->bytes->size() - cursor->at);
    std::memcpy(buffer, cursor->bytes->data() + cursor->at, n);
    cursor->at += n;
    return int(n);
}

// The whole file read with DGifSlurp; null when giflib refuses it. Close with DGifCloseFile.
inline GifFileType* Slurp(Cursor& cursor) {
    int error = 0;
    GifFileType* file = DGifOpen(&cursor, Read, &error);
    if (file && DGifSlurp(file) != GIF_OK) {
        DGifCloseFile(file, &error);
        return nullptr;
    }
    return file;
}

}  // namespace giflibmemory
