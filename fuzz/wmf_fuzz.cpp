// Any bytes as the records of a placeable Windows metafile: the fuzzer's data follows a sound
// placeable header, so it reaches the record conversion instead of the checksum.
#include <cstddef>
#include <cstdint>

#include "fuzz/MetafileFuzz.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    StartOffscreenGui();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Key, handle, box (0, 0)-(200, 150), 1440 units per inch, reserved, checksum.
    std::uint16_t header[11] = {0xCDD7, 0x9AC6, 0, 0, 0, 200, 150, 1440, 0, 0, 0};
    for (int i = 0; i < 10; ++i) header[10] ^= header[i];
    TMemoryStream stream;
    for (std::uint16_t word : header) stream.WriteUInt16(word);
    stream.WriteBuffer(data, std::int64_t(size));
    stream.SetPosition(0);
    ReadDrawWrite(stream);
    return 0;
}
