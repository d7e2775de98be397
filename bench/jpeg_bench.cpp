// Decoding and encoding real photographs through TJPEGImage, beside bare libjpeg doing the same
// work with the same settings: float DCT, blue-green-red rows, fancy upsampling, quality 90.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

#include <jpeglib.h>

#include "graphics/Bitmap.h"
#include "graphics/Streams.h"
#include "jpeg/JPEGImage.h"
#include "BenchFiles.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Photo {
    std::string path;
    Bytes bytes;
    int width = 0, height = 0;
};

using benchfiles::LoadImage;
using benchfiles::ReadFile;

// The installed backgrounds by size, found by reading their headers.
const std::map<std::pair<int, int>, std::string>& PhotosBySize() {
    static const auto photos = [] {
        std::map<std::pair<int, int>, std::string> found;
        std::error_code error;
        for (const auto& entry : std::filesystem::recursive_directory_iterator("/usr/share/backgrounds/mate", error)) {
            if (entry.path().extension() != ".jpg") continue;
            try {
                auto image = LoadImage(ReadFile(entry.path()));
                found.emplace(std::make_pair(image->ImageWidth(), image->ImageHeight()), entry.path().string());
            } catch (const std::exception&) {
            }
        }
        return found;
    }();
    return photos;
}

const Photo* PhotoOf(int width, int height) {
    static std::map<std::pair<int, int>, Photo> loaded;
    const auto key = std::make_pair(width, height);
    if (auto it = loaded.find(key); it != loaded.end()) return &it->second;
    const auto& photos = PhotosBySize();
    const auto found = photos.find(key);
    if (found == photos.end()) return nullptr;
    return &(loaded[key] = Photo{found->second, ReadFile(found->second), width, height});
}

struct BareError {
    jpeg_error_mgr manager;
};

void BareErrorExit(j_common_ptr) { std::abort(); }

// The pixels of a decoded photo as bottom-up 24-bit rows, as a bitmap keeps them.
struct Rows {
    std::vector<std::uint8_t> pixels;
    std::vector<JSAMPROW> rows;
    Rows(int width, int height)
        : pixels(std::size_t(RowStride(width, 24)) * std::size_t(height)), rows(std::size_t(height)) {
        const std::size_t stride = std::size_t(RowStride(width, 24));
        for (int y = 0; y < height; ++y) rows[std::size_t(y)] = pixels.data() + std::size_t(height - 1 - y) * stride;
    }
};

void BareDecode(const Bytes& bytes) {
    jpeg_decompress_struct d;
    BareError error;
    d.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = BareErrorExit;
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, bytes.data(), bytes.size());
    jpeg_read_header(&d, TRUE);
    d.out_color_space = JCS_EXT_BGR;
    d.dct_method = JDCT_FLOAT;
    jpeg_start_decompress(&d);
    Rows out(int(d.output_width), int(d.output_height));
    while (d.output_scanline < d.output_height) jpeg_read_scanlines(&d, &out.rows[d.output_scanline], 1);
    jpeg_finish_decompress(&d);
    jpeg_destroy_decompress(&d);
    benchmark::DoNotOptimize(out.pixels.data());
}

void BareEncode(const std::vector<JSAMPROW>& rows, int width, int height) {
    jpeg_compress_struct c;
    BareError error;
    c.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = BareErrorExit;
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = JDIMENSION(width);
    c.image_height = JDIMENSION(height);
    c.input_components = 3;
    c.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&c);
    c.dct_method = JDCT_FLOAT;
    jpeg_set_quality(&c, 90, TRUE);
    jpeg_start_compress(&c, TRUE);
    while (c.next_scanline < c.image_height) jpeg_write_scanlines(&c, const_cast<JSAMPROW*>(&rows[c.next_scanline]), 1);
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    benchmark::DoNotOptimize(size);
    std::free(buffer);
}

const Photo* PhotoOrSkip(benchmark::State& state) {
    const Photo* photo = PhotoOf(int(state.range(0)), int(state.range(1)));
    if (!photo) state.SkipWithError("photograph not installed (Debian package mate-backgrounds)");
    return photo;
}

// From the file's bytes in memory to a decoded bitmap, header read included, as bare libjpeg.
void BM_DecodeTJPEGImage(benchmark::State& state) {
    const Photo* photo = PhotoOrSkip(state);
    if (!photo) return;
    TMemoryStream file;
    file.WriteBuffer(photo->bytes.data(), std::int64_t(photo->bytes.size()));
    for (auto _ : state) {
        file.SetPosition(0);
        TJPEGImage image;
        image.LoadFromStream(file);
        benchmark::DoNotOptimize(image.Decode());
    }
    state.SetLabel(std::filesystem::path(photo->path).filename().string());
}

void BM_DecodeBareLibjpeg(benchmark::State& state) {
    const Photo* photo = PhotoOrSkip(state);
    if (!photo) return;
    for (auto _ : state) BareDecode(photo->bytes);
}

void BM_EncodeTJPEGImage(benchmark::State& state) {
    const Photo* photo = PhotoOrSkip(state);
    if (!photo) return;
    auto source = LoadImage(photo->bytes);
    TBitmap* bitmap = source->Decode();
    for (auto _ : state) {
        TJPEGImage image;
        image.CopyFrom(bitmap);
        image.Encode();
        benchmark::DoNotOptimize(image.DataObject().ByteStream->Size());
    }
}

void BM_EncodeBareLibjpeg(benchmark::State& state) {
    const Photo* photo = PhotoOrSkip(state);
    if (!photo) return;
    auto source = LoadImage(photo->bytes);
    TBitmap* bitmap = source->Decode();
    std::vector<JSAMPROW> rows;
    for (int y = 0; y < photo->height; ++y) rows.push_back(bitmap->ScanRow(y));
    for (auto _ : state) BareEncode(rows, photo->width, photo->height);
}

void Photos(benchmark::internal::Benchmark* b) {
    b->Args({5640, 3172})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->MinTime(3.0);
}

BENCHMARK(BM_DecodeTJPEGImage)->Apply(Photos);
BENCHMARK(BM_DecodeBareLibjpeg)->Apply(Photos);
BENCHMARK(BM_EncodeTJPEGImage)->Apply(Photos);
BENCHMARK(BM_EncodeBareLibjpeg)->Apply(Photos);

}  // namespace
