#pragma once
// What the JPEG benchmarks share: a file's bytes and a JPEG image read from bytes in memory.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "graphics/Streams.h"
#include "jpeg/JPEGImage.h"

namespace benchfiles {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::unique_ptr<TJPEGImage> LoadImage(const Bytes& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    auto image = std::make_unique<TJPEGImage>();
    image->LoadFromStream(stream);
    return image;
}

}  // namespace benchfiles
