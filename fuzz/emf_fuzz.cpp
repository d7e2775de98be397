// Any bytes as a metafile: a picture or the reader's own failure, never a crash; what loads is
// drawn and written again.
#include <cstddef>
#include <cstdint>

#include "fuzz/MetafileFuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartOffscreenGui();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadDrawWrite(*StreamOf(data, size));
    return 0;
}
