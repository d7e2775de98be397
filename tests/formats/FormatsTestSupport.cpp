#include "FormatsTestSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include <libheif/heif.h>
#include <zlib.h>

namespace formatstest {

namespace {
constexpr const char* kPhotograph = "/usr/share/backgrounds/mate/nature/LadyBird.jpg";
}

bool RunQuietly(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

bool HaveTool(const std::string& path) { return access(path.c_str(), X_OK) == 0; }

std::optional<std::filesystem::path> MakePhoto(const testdata::TempDir& temp) {
    if (!std::filesystem::exists(kPhotograph) || !HaveTool("/usr/bin/convert")) return std::nullopt;
    const std::string photo = temp.File("photo.png");
    if (!RunQuietly(std::string("/usr/bin/convert ") + kPhotograph + " -resize 128x96! -strip '" + photo + "'"))
        return std::nullopt;
    return photo;
}

std::filesystem::path MakeAlphaPhoto(const testdata::TempDir& temp) {
    const std::string alpha = temp.File("alpha.png");
    RunQuietly("/usr/bin/convert '" + temp.File("photo.png") +
               "' \\( -size 96x128 gradient:white-black -rotate 90 \\) -alpha off -compose CopyOpacity -composite '" +
               alpha + "'");
    return alpha;
}

QImage ReferenceOverWhite(const std::filesystem::path& path) {
    const QImage source = QImage(QString::fromStdString(path.string())).convertToFormat(QImage::Format_ARGB32);
    QImage result(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb c = source.pixel(x, y);
            const int a = qAlpha(c);
            const auto over = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
            result.setPixel(x, y, qRgb(over(qRed(c)), over(qGreen(c)), over(qBlue(c))));
        }
    return result;
}

Difference Compare(TBitmap& bitmap, const QImage& reference) {
    Difference d;
    long total = 0;
    for (int y = 0; y < reference.height(); ++y) {
        const std::uint8_t* row = bitmap.ReadScanRow(y);
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb c = reference.pixel(x, y);
            for (const int diff : {row[3 * x] - qBlue(c), row[3 * x + 1] - qGreen(c), row[3 * x + 2] - qRed(c)}) {
                total += std::abs(diff);
                d.max = std::max(d.max, std::abs(diff));
            }
        }
    }
    d.mean = double(total) / (3.0 * reference.width() * reference.height());
    return d;
}

Bytes PngChunk(const char* type, const Bytes& data) {
    Bytes chunk;
    const auto put32 = [&chunk](std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) chunk.push_back(std::uint8_t(v >> shift));
    };
    put32(std::uint32_t(data.size()));
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    put32(std::uint32_t(crc32(0, chunk.data() + 4, uInt(chunk.size() - 4))));
    return chunk;
}

bool EncodeHeic(const std::filesystem::path& input, int orientation, const std::filesystem::path& output) {
    const QImage source = QImage(QString::fromStdString(input.string())).convertToFormat(QImage::Format_RGB888);
    heif_image* image = nullptr;
    if (heif_image_create(source.width(), source.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image)
            .code != heif_error_Ok)
        return false;
    const std::unique_ptr<heif_image, void (*)(const heif_image*)> imageOwner(image, heif_image_release);
    heif_image_add_plane(image, heif_channel_interleaved, source.width(), source.height(), 8);
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < source.height(); ++y)
        std::memcpy(plane + y * stride, source.constScanLine(y), source.width() * 3);
    const std::unique_ptr<heif_context, void (*)(heif_context*)> context(heif_context_alloc(), heif_context_free);
    heif_encoder* encoder = nullptr;
    if (heif_context_get_encoder_for_format(context.get(), heif_compression_HEVC, &encoder).code != heif_error_Ok)
        return false;
    const std::unique_ptr<heif_encoder, void (*)(heif_encoder*)> encoderOwner(encoder, heif_encoder_release);
    heif_encoder_set_lossy_quality(encoder, 90);
    const std::unique_ptr<heif_encoding_options, void (*)(heif_encoding_options*)> options(
        heif_encoding_options_alloc(), heif_encoding_options_free);
    options->image_orientation = heif_orientation(orientation);
    return heif_context_encode_image(context.get(), image, encoder, options.get(), nullptr).code == heif_error_Ok &&
           heif_context_write_to_file(context.get(), output.c_str()).code == heif_error_Ok;
}

std::string CapturedStderr(const std::function<void()>& action) {
    std::fflush(stderr);
    FILE* capture = std::tmpfile();
    const int saved = dup(2);
    dup2(fileno(capture), 2);
    try {
        action();
    } catch (...) {
    }
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::string text;
    std::rewind(capture);
    for (int c; (c = std::fgetc(capture)) != EOF;) text += char(c);
    std::fclose(capture);
    return text;
}

}  // namespace formatstest
