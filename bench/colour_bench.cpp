// The cost of colour management: a 24-megapixel photo tagged with a colour profile against the
// same photo untagged, decoded and converted as the program converts it.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/conversion/SaveRoad.h"
#include "graphics/Bitmap.h"
#include "graphics/Streams.h"
#include "jpeg/JPEGImage.h"
#include "BenchFiles.h"
#include "support/TaggedPhotos.h"

namespace {

using Bytes = tagged::Bytes;

const char* const kPhotograph = "/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg";
const char* const kProfile = "/usr/share/color/icc/colord/AdobeRGB1998.icc";
constexpr int kWidth = 6000, kHeight = 4000;  // 24 megapixels, as a current camera writes

using benchfiles::LoadImage;
using benchfiles::ReadFile;

// The photograph stretched to 24 megapixels and saved as a baseline JPEG of quality 90.
Bytes MakeUntagged() {
    auto source = LoadImage(ReadFile(kPhotograph));
    const auto big = MakeWorkingBitmap(*source, kWidth, kHeight);
    TJPEGImage jpeg;
    jpeg.CopyFrom(big.get());
    jpeg.JpegQuality = 90;
    TMemoryStream out;
    jpeg.SaveToStream(out);
    return Bytes(out.Memory(), out.Memory() + out.Size());
}

const Bytes& Photo(bool profiled) {
    static const Bytes untagged = MakeUntagged();
    static const Bytes withProfile = tagged::WithProfile(untagged, ReadFile(kProfile));
    return profiled ? withProfile : untagged;
}

bool Available(benchmark::State& state) {
    if (std::filesystem::exists(kPhotograph) && std::filesystem::exists(kProfile)) return true;
    state.SkipWithError("photograph or colour profile not installed");
    return false;
}

void BM_Decode(benchmark::State& state) {
    if (!Available(state)) return;
    const Bytes& file = Photo(state.range(0) != 0);
    for (auto _ : state) {
        auto image = LoadImage(file);
        benchmark::DoNotOptimize(image->Decode());
    }
}

// Decoding, the white working bitmap of the size rule's 640 × 480 and the JPEG compressed from it.
void BM_Convert(benchmark::State& state) {
    if (!Available(state)) return;
    const Bytes& file = Photo(state.range(0) != 0);
    for (auto _ : state) {
        auto image = LoadImage(file);
        const auto working = MakeWorkingBitmap(*image, 640, 480);
        TJPEGImage jpeg;
        jpeg.CopyFrom(working.get());
        jpeg.JpegQuality = 75;
        TMemoryStream out;
        jpeg.SaveToStream(out);
        benchmark::DoNotOptimize(out.Size());
    }
}

}  // namespace

BENCHMARK(BM_Decode)->ArgName("tagged")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Convert)->ArgName("tagged")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
