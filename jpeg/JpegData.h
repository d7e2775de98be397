#pragma once
// TJPEGData: the bytes of one JPEG file and what its header says, shared by reference count
// between the images made from one another. Bytes that are in place never change: producing
// new bytes means a fresh data object.

#include <cstdint>
#include <memory>

#include "graphics/SharedImage.h"
#include "graphics/Streams.h"

class TJPEGData : public TSharedImage {
public:
    std::unique_ptr<TMemoryStream> ByteStream;  // none until bytes are read or encoded
    std::int32_t PixelHeight = 0;
    std::int32_t PixelWidth = 0;
    bool IsGray = false;
};
