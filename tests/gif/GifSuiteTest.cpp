// The conformance suite and GIFs made by ImageMagick from photographs: our model against giflib's
// reading of the same bytes, and the first frame's colours against the suite's reference frames.

#include <gtest/gtest.h>

#include <QImage>

#include "GifTestSupport.h"
#include "support/TestData.h"

using namespace giftest;

namespace {

void ExpectSameAsGiflib(const Bytes& bytes) {
    const std::optional<RefGif> ref = GiflibRead(bytes);
    ASSERT_TRUE(ref) << "giflib cannot read the file";
    Loaded loaded = Load(bytes);
    const RefGif ours = Describe(*loaded.image);
    EXPECT_EQ(ours.width, ref->width);
    EXPECT_EQ(ours.height, ref->height);
    EXPECT_EQ(ours.loops, ref->loops);
    ASSERT_EQ(ours.frames.size(), ref->frames.size());
    for (std::size_t i = 0; i < ours.frames.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const RefFrame &a = ours.frames[i], &b = ref->frames[i];
        EXPECT_EQ(std::tie(a.left, a.top, a.width, a.height, a.interlaced),
                  std::tie(b.left, b.top, b.width, b.height, b.interlaced));
        EXPECT_EQ(std::tie(a.delay, a.disposal, a.transparent, a.localColors),
                  std::tie(b.delay, b.disposal, b.transparent, b.localColors));
        EXPECT_TRUE(a.indices == b.indices) << "indices differ";
    }
}

// Pixel by pixel, through the frame's colour map; transparent pixels must be clear in the PNG.
void ExpectFirstFrameLike(TGIFImage& image, const QImage& reference) {
    TGIFSubImage& frame = *image.Images().Frame(0);
    ASSERT_EQ(reference.width(), frame.Width());
    ASSERT_EQ(reference.height(), frame.Height());
    TGIFColorMap& map = frame.ActiveColorMap();
    const int transparent = frame.Transparent() ? frame.GraphicControlExtension()->TransparentColorIndex() : -1;
    int mismatches = 0;
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x) {
            const QRgb expected = reference.pixel(x, y);
            const int index = frame.IndexAt(x, y);
            if (index == transparent) {
                mismatches += qAlpha(expected) != 0;
                continue;
            }
            const TColor color = map.ColorAt(index);
            mismatches += qAlpha(expected) != 255 || qRed(expected) != (color & 0xFF) ||
                          qGreen(expected) != ((color >> 8) & 0xFF) || qBlue(expected) != ((color >> 16) & 0xFF);
        }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace

TEST(GifSuite, EveryFileMatchesGiflibAndItsFirstFrame) {
    REQUIRE_TESTDATA(root);
    const std::filesystem::path folder = root / "gif-test-suite" / "gifs";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".gif") continue;
        SCOPED_TRACE(entry.path().filename().string());
        ++files;
        const Bytes bytes = ReadFile(entry.path());
        ExpectSameAsGiflib(bytes);
        Loaded loaded = Load(bytes);
        TGIFImage& image = *loaded.image;
        ASSERT_FALSE(image.IsEmpty());
        TGIFSubImage& first = *image.Images().Frame(0);
        if (first.Left() != 0 || first.Top() != 0 || first.Width() != image.ImageWidth() ||
            first.Height() != image.ImageHeight())
            continue;
        std::filesystem::path png = folder / "frames" / (entry.path().stem().string() + "-0.png");
        if (!std::filesystem::exists(png)) png = folder / "frames" / (entry.path().stem().string() + ".png");
        const QImage reference(QString::fromStdString(png.string()));
        ASSERT_FALSE(reference.isNull());
        ExpectFirstFrameLike(image, reference.convertToFormat(QImage::Format_ARGB32));
    }
    EXPECT_GT(files, 10);
}

struct MagickCase {
    const char* name;
    const char* photo;
    std::vector<std::string> options;
    bool localMaps;  // the file must hold at least one local colour map
};

class GifFromPhoto : public testing::TestWithParam<MagickCase> {};

TEST_P(GifFromPhoto, MatchesGiflib) {
    const MagickCase& c = GetParam();
    const Bytes bytes = MagickGif(Photo(c.photo), c.options);
    if (bytes.empty()) GTEST_SKIP() << "no photograph or no ImageMagick";
    ExpectSameAsGiflib(bytes);
    if (c.localMaps) {
        const RefGif ours = Describe(*Load(bytes).image);
        EXPECT_TRUE(
            std::any_of(ours.frames.begin(), ours.frames.end(), [](const RefFrame& f) { return f.localColors > 0; }));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Photos, GifFromPhoto,
    testing::Values(MagickCase{"colors256", "nature/Garden.jpg", {"-resize", "640x480", "-colors", "256"}, false},
                    MagickCase{"interlaced", "nature/Dune.jpg", {"-resize", "333x251", "-interlace", "GIF"}, false},
                    MagickCase{"localMaps",
                               "nature/Aqua.jpg",
                               {"-resize", "200x150", "\\(", "/usr/share/backgrounds/mate/nature/LadyBird.jpg",
                                "-resize", "200x150", "\\)", "-colors", "64"},
                               true},
                    MagickCase{"onePixel", "nature/Blinds.jpg", {"-resize", "1x1!"}, false},
                    MagickCase{"oneByTenThousand", "nature/GreenMeadow.jpg", {"-resize", "1x10000!"}, false},
                    MagickCase{"fourColors", "nature/FreshFlower.jpg", {"-resize", "300x200", "-colors", "4"}, false}),
    [](const testing::TestParamInfo<MagickCase>& param) { return param.param.name; });
