#pragma once
// What the benchmarks share: a file's bytes and a picture read from bytes in memory.

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

template <class Graphic = TJPEGImage>
std::unique_ptr<Graphic> LoadImage(const Bytes& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    auto image = std::make_unique<Graphic>();
    image->LoadFromStream(stream);
    return image;
}

}  // namespace benchfiles
