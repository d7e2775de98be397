// Metafile fills over a photo-sized target (4000 x 3000): a flood fill from the middle of a white
// picture, which reads every pixel and fills them all, against the baseline of the same area
// filled by a rectangle record, and against a region fill of 4,096 rectangles (the most one
// region record is read with).

#include <benchmark/benchmark.h>

#include "platform/metafile/EmfRecordType.h"
#include "tests/graphics/MetafileTestSupport.h"

namespace {

using emftest::EmfBuilder;

constexpr int kWidth = 4000, kHeight = 3000;
constexpr std::int32_t kNullPen = std::int32_t(0x80000008);

// A picture of the target's size (one logical unit a pixel) with a red brush and no pen selected.
EmfBuilder RedPicture() {
    EmfBuilder b(kWidth * 10, kHeight * 10);
    b.Record(platform::EMR_CREATEBRUSHINDIRECT, {1, 0, 0x0000FF, 0}).Record(platform::EMR_SELECTOBJECT, {1});
    b.Record(platform::EMR_SELECTOBJECT, {kNullPen});
    return b;
}

void Play(benchmark::State& state, const std::vector<std::uint8_t>& bytes) {
    TMetafile metafile;
    emftest::Load(metafile, bytes);
    TBitmap target;
    target.ResizeWidth(kWidth);
    target.ResizeHeight(kHeight);
    for (auto _ : state) {
        target.Canvas().FillArea({0, 0, kWidth, kHeight});
        target.Canvas().StretchDrawGraphic({0, 0, kWidth, kHeight}, &metafile);
    }
    state.counters["pixels"] = double(kWidth) * kHeight;
}

void BM_RectangleFillBaseline(benchmark::State& state) {
    EmfBuilder b = RedPicture();
    b.Record(platform::EMR_RECTANGLE, {0, 0, kWidth + 1, kHeight + 1});
    Play(state, b.Bytes());
}

void BM_FloodFillWholePicture(benchmark::State& state) {
    EmfBuilder b = RedPicture();
    b.Record(platform::EMR_EXTFLOODFILL, {kWidth / 2, kHeight / 2, 0xFFFFFF, 1});
    Play(state, b.Bytes());
}

void BM_PaintRegionOf4096Rectangles(benchmark::State& state) {
    EmfBuilder b = RedPicture();
    std::vector<std::uint8_t> body;
    constexpr std::int32_t kRects = 4096;
    for (std::int32_t v : {0, 0, kWidth, kHeight, 32 + 16 * kRects, 32, 1, kRects, 16 * kRects, 0, 0, kWidth, kHeight})
        EmfBuilder::Put(body, std::uint32_t(v));
    // A 64 x 64 checkerboard of cells over the picture.
    for (std::int32_t i = 0; i < kRects; ++i) {
        const std::int32_t col = i % 64, row = i / 64, w = kWidth / 64, h = kHeight / 64;
        const std::int32_t left = col * w + (row % 2) * (w / 2);
        for (std::int32_t v : {left, row * h, left + w / 2, row * h + h}) EmfBuilder::Put(body, std::uint32_t(v));
    }
    b.Raw(platform::EMR_PAINTRGN, body);
    Play(state, b.Bytes());
}

BENCHMARK(BM_RectangleFillBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFillWholePicture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintRegionOf4096Rectangles)->Unit(benchmark::kMillisecond);

}  // namespace
