// Decoding GIFs made by ImageMagick from a real photograph (an animation of 100 frames of
// 800 x 600, and one frame of 4000 x 3000) into colour indices: TGIFImage against giflib's
// DGifSlurp on the same bytes. The files are made once and kept in the system's temporary folder.

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gif/GIFImage.h"
#include "graphics/Streams.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

const char* const kPhoto = "/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg";

Bytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Runs ImageMagick once to make the file; empty when the photo or the tool is missing.
Bytes Made(const std::string& name, const std::string& arguments) {
    const fs::path path = fs::temp_directory_path() / ("obrazor-bench-" + name);
    if (!fs::exists(path)) {
        const std::string command = "/usr/bin/convert " + arguments + " '" + path.string() + "' 2>/dev/null";
        if (!fs::exists(kPhoto) || std::system(command.c_str()) != 0) return {};
    }
    return ReadFile(path);
}

// Each frame the photo shifted a little further, so that every frame has its own pixels and map.
const Bytes& Animation() {
    static const Bytes bytes = [] {
        std::string arguments = std::string("-define jpeg:size=1600x1200 '") + kPhoto + "' -resize 800x600!";
        for (int i = 1; i < 100; ++i) arguments += " \\( +clone -roll +8+6 \\)";
        return Made("animation-100x800x600.gif", arguments + " -loop 0");
    }();
    return bytes;
}

const Bytes& Large() {
    static const Bytes bytes = Made("large-4000x3000.gif", std::string("'") + kPhoto + "' -resize 4000x3000!");
    return bytes;
}

void Ours(benchmark::State& state, const Bytes& bytes) {
    if (bytes.empty()) return state.SkipWithError("no photograph or no ImageMagick");
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    for (auto _ : state) {
        stream.SetPosition(0);
        TGIFImage image;
        image.LoadFromStream(stream);
        benchmark::DoNotOptimize(image.Images().Frame(0)->PixelBuffer());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

struct Cursor {
    const Bytes* bytes;
    std::size_t at = 0;
};

int ReadFromCursor(GifFileType* file, GifByteType* buffer, int count) {
    auto* cursor = static_cast<Cursor*>(file->UserData);
    const std::size_t n = std::min<std::size_t>(std::size_t(count), cursor->bytes->size() - cursor->at);
    std::memcpy(buffer, cursor->bytes->data() + cursor->at, n);
    cursor->at += n;
    return int(n);
}

void Giflib(benchmark::State& state, const Bytes& bytes) {
    if (bytes.empty()) return state.SkipWithError("no photograph or no ImageMagick");
    for (auto _ : state) {
        Cursor cursor{&bytes};
        int error = 0;
        GifFileType* file = DGifOpen(&cursor, ReadFromCursor, &error);
        if (!file || DGifSlurp(file) != GIF_OK) return state.SkipWithError("giflib failed");
        benchmark::DoNotOptimize(file->SavedImages[0].RasterBits);
        DGifCloseFile(file, &error);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

void BM_Animation_Ours(benchmark::State& state) { Ours(state, Animation()); }
void BM_Animation_Giflib(benchmark::State& state) { Giflib(state, Animation()); }
void BM_Large_Ours(benchmark::State& state) { Ours(state, Large()); }
void BM_Large_Giflib(benchmark::State& state) { Giflib(state, Large()); }

}  // namespace

BENCHMARK(BM_Animation_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Animation_Giflib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Large_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Large_Giflib)->Unit(benchmark::kMillisecond);
