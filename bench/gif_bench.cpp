// GIF coding of real photographs against giflib in the same binary, and colour reduction against
// ImageMagick as a whole process:
// - decoding GIFs made by ImageMagick (an animation of 100 frames of 800 x 600, and one frame of
//   4000 x 3000) into colour indices: TGIFImage against DGifSlurp on the same bytes;
// - LZW-encoding the 4000 x 3000 frame's indices: TGIFImage against EGifPutLine (the byte counts
//   are reported as counters);
// - octree reduction of the 4000 x 3000 photograph to 256 colours without dithering against
//   `convert -colors 256 +dither`; the mean error of each against the photograph is a counter.
// - animation: from DrawInto of the 100-frame animation to its first frame in an 800 x 600
//   target (a fresh image each time, so the first frame's bitmap is built too), and the CPU one
//   animating painter uses per second of animation, the owner thread's paint steps included.
// The input files are made once and kept in the system's temporary folder.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gif/ColorReduction.h"
#include "gif/GIFImage.h"
#include "gif/GIFPaletteDisplay.h"
#include "graphics/Bitmap.h"
#include "graphics/Streams.h"
#include "platform/OwnerThread.h"
#include "BenchFiles.h"
#include "tests/support/GiflibMemory.h"
#include "tests/support/TestBitmaps.h"

namespace {

using benchfiles::Bytes;
namespace fs = std::filesystem;

const char* const kPhoto = "/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg";

using benchfiles::ReadFile;

// Runs ImageMagick once to make the file, `coder` naming its format where the extension does
// not; the file's path, or empty when the photo or the tool is missing.
fs::path MadeFile(const std::string& name, const std::string& arguments, const std::string& coder = "") {
    const fs::path path = fs::temp_directory_path() / ("obrazor-bench-" + name);
    if (!fs::exists(path)) {
        const std::string command = "/usr/bin/convert " + arguments + " '" + coder + path.string() + "' 2>/dev/null";
        if (!fs::exists(kPhoto) || std::system(command.c_str()) != 0) return {};
    }
    return path;
}

Bytes Made(const std::string& name, const std::string& arguments) {
    const fs::path path = MadeFile(name, arguments);
    return path.empty() ? Bytes{} : ReadFile(path);
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

// Reading the file and decoding every frame's indices (later frames are decoded when asked), or,
// with `firstOnly`, only reading it as a conversion does: frame 0 decoded, the others checked.
void Ours(benchmark::State& state, const Bytes& bytes, bool firstOnly = false) {
    if (bytes.empty()) return state.SkipWithError("no photograph or no ImageMagick");
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    for (auto _ : state) {
        stream.SetPosition(0);
        TGIFImage image;
        image.LoadFromStream(stream);
        const int frames = firstOnly ? 1 : image.Images().Count();
        for (int i = 0; i < frames; ++i) benchmark::DoNotOptimize(image.Images().Frame(i)->PixelBuffer());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

void Giflib(benchmark::State& state, const Bytes& bytes) {
    if (bytes.empty()) return state.SkipWithError("no photograph or no ImageMagick");
    for (auto _ : state) {
        giflibmemory::Cursor cursor{&bytes};
        GifFileType* file = giflibmemory::Slurp(cursor);
        if (!file) return state.SkipWithError("giflib failed");
        benchmark::DoNotOptimize(file->SavedImages[0].RasterBits);
        int error = 0;
        DGifCloseFile(file, &error);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes.size()));
}

// The large frame's indices and colours, read by our decoder.
TGIFImage& LargeImage() {
    static const std::unique_ptr<TGIFImage> image =
        Large().empty() ? std::make_unique<TGIFImage>() : benchfiles::LoadImage<TGIFImage>(Large());
    return *image;
}

void BM_Encode_Ours(benchmark::State& state) {
    TGIFImage& image = LargeImage();
    if (image.IsEmpty()) return state.SkipWithError("no photograph or no ImageMagick");
    std::int64_t size = 0;
    for (auto _ : state) {
        TMemoryStream stream;
        image.SaveToStream(stream);
        size = stream.Size();
    }
    state.counters["bytes"] = double(size);
}

int WriteToVector(GifFileType* file, const GifByteType* data, int count) {
    auto* out = static_cast<Bytes*>(file->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

void BM_Encode_Giflib(benchmark::State& state) {
    TGIFImage& image = LargeImage();
    if (image.IsEmpty()) return state.SkipWithError("no photograph or no ImageMagick");
    TGIFSubImage& frame = *image.Images().Frame(0);
    TGIFColorMap& map = frame.ActiveColorMap();
    std::vector<GifColorType> colors(256);
    for (int i = 0; i < map.Count(); ++i) {
        const TColor c = map.ColorAt(i);
        colors[std::size_t(i)] = {GifByteType(c), GifByteType(c >> 8), GifByteType(c >> 16)};
    }
    std::size_t size = 0;
    for (auto _ : state) {
        Bytes out;
        int error = 0;
        GifFileType* file = EGifOpen(&out, WriteToVector, &error);
        ColorMapObject* colorMap = GifMakeMapObject(256, colors.data());
        EGifPutScreenDesc(file, image.ImageWidth(), image.ImageHeight(), 8, 0, colorMap);
        EGifPutImageDesc(file, 0, 0, frame.Width(), frame.Height(), false, nullptr);
        for (int y = 0; y < frame.Height(); ++y) EGifPutLine(file, frame.PixelRow(y), frame.Width());
        EGifCloseFile(file, &error);
        GifFreeMapObject(colorMap);
        size = out.size();
    }
    state.counters["bytes"] = double(size);
}

// The photograph as a 24-bit BMP of 4000 x 3000.
const fs::path& PhotoBmp() {
    static const fs::path path =
        MadeFile("photo-4000x3000.bmp", std::string("'") + kPhoto + "' -resize 4000x3000!", "bmp3:");
    return path;
}

// That BMP read into a bitmap.
TBitmap& Photo12() {
    static TBitmap bitmap;
    static const bool loaded = [] {
        if (PhotoBmp().empty()) return false;
        TFileStream stream(PhotoBmp().string(), TFileStream::fmOpenRead);
        bitmap.LoadFromStream(stream);
        return true;
    }();
    (void)loaded;
    return bitmap;
}

void BM_Octree_Ours(benchmark::State& state) {
    TBitmap& photo = Photo12();
    if (photo.IsEmpty()) return state.SkipWithError("no photograph or no ImageMagick");
    std::unique_ptr<TBitmap> reduced;
    for (auto _ : state)
        reduced = gif::ReduceToPalette(photo, TColorReduction::OptimizedColors, TDitherMode::Nearest, nullptr, 8);
    state.counters["mean_error"] = testsupport::MeanDifference(photo, *reduced);
}

// ImageMagick reads the same BMP, reduces it and writes an 8-bit BMP, as a whole process.
void BM_Octree_ImageMagick(benchmark::State& state) {
    TBitmap& photo = Photo12();
    if (photo.IsEmpty()) return state.SkipWithError("no photograph or no ImageMagick");
    const fs::path& in = PhotoBmp();
    const fs::path out = fs::temp_directory_path() / "obrazor-bench-photo-reduced.bmp";
    const std::string command =
        "/usr/bin/convert '" + in.string() + "' -colors 256 +dither 'bmp3:" + out.string() + "'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) return state.SkipWithError("ImageMagick failed");
    TBitmap reduced;
    TFileStream stream(out.string(), TFileStream::fmOpenRead);
    reduced.LoadFromStream(stream);
    state.counters["mean_error"] = testsupport::MeanDifference(photo, reduced);
}

void BM_Animation_Ours(benchmark::State& state) { Ours(state, Animation()); }
void BM_Animation_ReadOnly_Ours(benchmark::State& state) { Ours(state, Animation(), true); }
void BM_Animation_Giflib(benchmark::State& state) { Giflib(state, Animation()); }
void BM_Large_Ours(benchmark::State& state) { Ours(state, Large()); }
void BM_Large_Giflib(benchmark::State& state) { Giflib(state, Large()); }

}  // namespace

std::unique_ptr<TGIFImage> LoadedAnimation() { return benchfiles::LoadImage<TGIFImage>(Animation()); }

std::unique_ptr<TBitmap> Target800x600() {
    auto target = std::make_unique<TBitmap>();
    target->ResizeWidth(800);
    target->ResizeHeight(600);
    return target;
}

void BM_DrawInto_FirstFrame(benchmark::State& state) {
    if (Animation().empty()) return state.SkipWithError("no photograph or no ImageMagick");
    auto target = Target800x600();
    for (auto _ : state) {
        state.PauseTiming();
        auto image = LoadedAnimation();
        state.ResumeTiming();
        image->DrawInto(target->Canvas(), {0, 0, 800, 600});
        state.PauseTiming();
        image.reset();  // stops its painter
        state.ResumeTiming();
    }
}

// The same on a display of 8 bits, where every frame is dithered to the web palette as it is built.
void BM_DrawInto_FirstFrame_PaletteDisplay(benchmark::State& state) {
    const platform::DisplaySettings saved = platform::Display();
    platform::Display().bitsPerPixel = 8;
    gif::ReadPaletteDisplay();
    BM_DrawInto_FirstFrame(state);
    platform::Display() = saved;
    gif::ReadPaletteDisplay();
}

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The owner thread serves the painter's steps as an event loop would, for one second.
void BM_Painter_CpuPerSecond(benchmark::State& state) {
    if (Animation().empty()) return state.SkipWithError("no photograph or no ImageMagick");
    auto target = Target800x600();
    double cpuMs = 0, frames = 0;
    for (auto _ : state) {
        auto image = LoadedAnimation();
        int painted = 0;
        image->OnFramePainted = [&](TObject*) { ++painted; };
        image->DrawInto(target->Canvas(), {0, 0, 800, 600});
        const double cpuStart = ProcessCpuMs();
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (std::chrono::steady_clock::now() < end)
            platform::WaitAndServiceOwnerThread(std::chrono::milliseconds(10));
        cpuMs += ProcessCpuMs() - cpuStart;
        frames += painted;
    }
    state.counters["cpu_ms_per_s"] = cpuMs / double(state.iterations());
    state.counters["frames_per_s"] = frames / double(state.iterations());
}

BENCHMARK(BM_Animation_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Animation_Giflib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Animation_ReadOnly_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Large_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Large_Giflib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode_Giflib)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Octree_Ours)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Octree_ImageMagick)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_DrawInto_FirstFrame)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_DrawInto_FirstFrame_PaletteDisplay)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Painter_CpuPerSecond)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
