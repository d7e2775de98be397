// Icon files made by other programs: each image of the file, built at its own size, draws as
// ImageMagick decodes it (opaque where its alpha is at least half, the background elsewhere), and
// the file saves byte for byte as it was read.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <QImage>

#include "BitmapTestSupport.h"
#include "graphics/Icon.h"
#include "support/TestData.h"

namespace {

namespace fs = std::filesystem;
using namespace bitmaptest;

const char* const kConvert = "/usr/bin/convert";

struct RealIcon {
    const char* name;
    // Makes the file in the folder, or names an installed one; empty when it cannot be had.
    std::string (*file)(const testdata::TempDir& dir);
};

void PrintTo(const RealIcon& c, std::ostream* os) { *os << c.name; }

std::string MadeByImageMagick(const testdata::TempDir& dir) {
    // Hard edges, so every size but the largest has partly transparent pixels only from scaling.
    const std::string path = dir.File("made.ico");
    const std::string command = std::string(kConvert) +
                                " -size 256x256 xc:none +antialias -fill red -draw 'rectangle 64,64 191,191'"
                                " -fill blue -draw 'circle 128,128 128,100'"
                                " -define icon:auto-resize=16,32,48,256 " +
                                path;
    return std::system(command.c_str()) == 0 ? path : "";
}

std::string ShippedByClang(const testdata::TempDir&) {
    const std::string path = "/usr/share/clang/scan-view-14/share/bugcatcher.ico";
    return fs::exists(path) ? path : "";
}

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// ImageMagick's decoding of every image of the file.
std::vector<QImage> References(const std::string& path, const testdata::TempDir& dir) {
    const std::string command = std::string(kConvert) + " " + path + " " + dir.File("ref-%d.png");
    std::vector<QImage> images;
    if (std::system(command.c_str()) != 0) return images;
    for (int i = 0; fs::exists(dir.File("ref-" + std::to_string(i) + ".png")); ++i)
        images.emplace_back(QString::fromStdString(dir.File("ref-" + std::to_string(i) + ".png")));
    return images;
}

class RealIconFiles : public testing::TestWithParam<RealIcon> {};

TEST_P(RealIconFiles, EachImageDrawsAsDecodedElsewhereAndTheFileSavesUnchanged) {
    if (!fs::exists(kConvert)) GTEST_SKIP() << "ImageMagick is not installed";
    testdata::TempDir dir;
    const std::string path = GetParam().file(dir);
    if (path.empty()) GTEST_SKIP() << "the icon file is not available";
    const std::vector<QImage> references = References(path, dir);
    ASSERT_FALSE(references.empty());
    const platform::COLORREF background = ColorToRGB(clLime);
    for (const QImage& reference : references) {
        const QImage expected = reference.convertToFormat(QImage::Format_ARGB32);
        TIcon icon;
        icon.ResizeWidth(expected.width());
        icon.ResizeHeight(expected.height());
        icon.ReadFromFile(path);
        TBitmap target;
        Shape(target, TPixelDepth::Device, expected.width(), expected.height());
        target.Canvas().Brush().SetColor(clLime);
        target.Canvas().FillArea({0, 0, expected.width(), expected.height()});
        target.Canvas().StretchDrawGraphic({0, 0, expected.width(), expected.height()}, &icon);
        ASSERT_EQ(icon.ImageWidth(), expected.width());
        int wrong = 0;
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                const QRgb p = expected.pixel(x, y);
                const platform::COLORREF want =
                    qAlpha(p) >= 128
                        ? platform::RGB(std::uint8_t(qRed(p)), std::uint8_t(qGreen(p)), std::uint8_t(qBlue(p)))
                        : background;
                wrong += Pixel(target, x, y) != want;
            }
        }
        EXPECT_EQ(wrong, 0) << expected.width() << " x " << expected.height();
        TMemoryStream saved;
        icon.SaveToStream(saved);
        EXPECT_EQ(BytesOf(saved), FileBytes(path));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, RealIconFiles,
                         testing::Values(RealIcon{"imagemagick", MadeByImageMagick},
                                         RealIcon{"clang_bugcatcher", ShippedByClang}),
                         [](const testing::TestParamInfo<RealIcon>& i) { return std::string(i.param.name); });

}  // namespace
