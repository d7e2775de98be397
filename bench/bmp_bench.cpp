// Reading a large 24-bit BMP and stretch-drawing it into a preview-sized display bitmap,
// beside the floor: copying the same pixel bytes once.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/Streams.h"

namespace {
constexpr int kWidth = 5000;
constexpr int kHeight = 3000;
constexpr int kPreviewWidth = 640;
constexpr int kPreviewHeight = 360;

void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// A bottom-up 24-bit BMP file of generated gradients.
const std::vector<std::uint8_t>& LargeBmp() {
    static const std::vector<std::uint8_t> file = [] {
        const std::uint32_t stride = std::uint32_t(RowStride(kWidth, 24));
        const std::uint32_t pixels = stride * kHeight;
        std::vector<std::uint8_t> b;
        b.reserve(54 + pixels);
        Put16(b, 0x4D42);
        Put32(b, 54 + pixels);
        Put32(b, 0);
        Put32(b, 54);
        Put32(b, 40);
        Put32(b, kWidth);
        Put32(b, kHeight);
        Put16(b, 1);
        Put16(b, 24);
        Put32(b, 0);
        Put32(b, pixels);
        for (int i = 0; i < 4; ++i) Put32(b, 0);
        b.resize(54 + pixels);
        for (int y = 0; y < kHeight; ++y) {
            std::uint8_t* row = b.data() + 54 + std::size_t(y) * stride;
            for (int x = 0; x < kWidth; ++x) {
                row[3 * x] = std::uint8_t(x);
                row[3 * x + 1] = std::uint8_t(y);
                row[3 * x + 2] = std::uint8_t(x ^ y);
            }
        }
        return b;
    }();
    return file;
}

TMemoryStream FileStream() {
    TMemoryStream stream;
    stream.WriteBuffer(LargeBmp().data(), std::int64_t(LargeBmp().size()));
    return stream;
}

void BM_LoadAndStretchDraw(benchmark::State& state) {
    TMemoryStream stream = FileStream();
    TBitmap preview;
    preview.ResizeWidth(kPreviewWidth);
    preview.ResizeHeight(kPreviewHeight);
    for (auto _ : state) {
        stream.SetPosition(0);
        TBitmap picture;
        picture.LoadFromStream(stream);
        preview.Canvas().StretchDrawGraphic(TRect{0, 0, kPreviewWidth, kPreviewHeight}, &picture);
        benchmark::DoNotOptimize(preview.Canvas().PixelAt(1, 1));
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(LargeBmp().size()));
}
BENCHMARK(BM_LoadAndStretchDraw)->Unit(benchmark::kMillisecond);

void BM_LoadOnly(benchmark::State& state) {
    TMemoryStream stream = FileStream();
    for (auto _ : state) {
        stream.SetPosition(0);
        TBitmap picture;
        picture.LoadFromStream(stream);
        benchmark::DoNotOptimize(picture.ImageWidth());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(LargeBmp().size()));
}
BENCHMARK(BM_LoadOnly)->Unit(benchmark::kMillisecond);

void BM_MemcpyFloor(benchmark::State& state) {
    const std::vector<std::uint8_t>& source = LargeBmp();
    std::vector<std::uint8_t> target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(source.size()));
}
BENCHMARK(BM_MemcpyFloor)->Unit(benchmark::kMillisecond);
}  // namespace
