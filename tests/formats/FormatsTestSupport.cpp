#include "FormatsTestSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace formatstest {

namespace {
constexpr const char* kPhotograph = "/usr/share/backgrounds/mate/nature/LadyBird.jpg";
}

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
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

std::string TurnFor(int orientation) {
    static const char* const turns[] = {"",           "",      "-flop",       "-rotate 180", "-flip",
                                        "-transpose", "-rotate 90", "-transverse", "-rotate 270"};
    return orientation >= 1 && orientation <= 8 ? turns[orientation] : "";
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
