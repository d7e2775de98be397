// The smooth reduction against the exact one on pictures whose right result is known: flat
// colour stays flat and fills the result, edges stay where sampling puts them, and detail too
// fine for the result is averaged away instead of folding back as moiré.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <QBuffer>
#include <QImage>

#include "app/conversion/SaveRoad.h"
#include "formats/PngImage.h"
#include "graphics/Streams.h"
#include "jpeg/JPEGImage.h"
#include "support/TestBitmaps.h"

namespace {

enum class Source { Bitmap, Jpeg, GrayJpeg, Png };

const char* SourceName(Source source) {
    switch (source) {
    case Source::Bitmap: return "bitmap";
    case Source::Jpeg: return "jpeg";
    case Source::GrayJpeg: return "gray jpeg";
    case Source::Png: return "png";
    }
    return "";
}

struct Rgb {
    int r, g, b;
};

// The bitmap as the program reads a file of it: the bitmap itself, or a JPEG of it read back
// from its bytes (nothing decoded yet).
std::unique_ptr<TGraphic> AsPng(TBitmap& bitmap) {
    QImage image(bitmap.ImageWidth(), bitmap.ImageHeight(), QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t* bgr = bitmap.ReadScanRow(y) + 3 * x;
            image.setPixel(x, y, qRgb(bgr[2], bgr[1], bgr[0]));
        }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    TMemoryStream bytes;
    bytes.WriteBuffer(png.constData(), png.size());
    bytes.SetPosition(0);
    auto picture = std::make_unique<TPngImage>();
    picture->LoadFromStream(bytes);
    return picture;
}

std::unique_ptr<TGraphic> AsSource(std::unique_ptr<TBitmap> bitmap, Source source) {
    if (source == Source::Bitmap) return bitmap;
    if (source == Source::Png) return AsPng(*bitmap);
    TJPEGImage encoder;
    encoder.SetGrayOutput(source == Source::GrayJpeg);
    encoder.CopyFrom(bitmap.get());
    encoder.JpegQuality = 100;
    encoder.Encode();
    TMemoryStream bytes;
    encoder.SaveToStream(bytes);
    bytes.SetPosition(0);
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->LoadFromStream(bytes);
    return jpeg;
}

template <class Colour>
std::unique_ptr<TGraphic> MakeSource(int width, int height, Source source, const Colour& colour) {
    return AsSource(testsupport::MakeBitmap(width, height, colour), source);
}

// One channel of a reduced picture, row by row.
struct Plane {
    int width = 0, height = 0;
    std::vector<int> values;
    int At(int x, int y) const { return values[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

Plane Channel(TBitmap& working, int channel) {
    TBitmap copy;
    copy.CopyFrom(&working);
    copy.ChangeDepth(TPixelDepth::Bits24);
    Plane plane{copy.ImageWidth(), copy.ImageHeight(), {}};
    for (int y = 0; y < plane.height; ++y)
        for (int x = 0; x < plane.width; ++x) plane.values.push_back(copy.ReadScanRow(y)[3 * x + channel]);
    return plane;
}

Plane Reduced(TGraphic& source, int width, int height, TReduction reduction, int channel = 1) {
    return Channel(*MakeWorkingBitmap(source, width, height, reduction), channel);
}

struct SizeCase {
    int width, height, targetWidth, targetHeight;
    Source source;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << c.width << "x" << c.height << " -> " << c.targetWidth << "x" << c.targetHeight << " "
        << SourceName(c.source);
}

class SmoothSizes : public testing::TestWithParam<SizeCase> {};

// Flat colour has no detail to filter: every pixel of the result is that colour, so also every
// row and column was made, up to the edges.
TEST_P(SmoothSizes, FlatColourFillsTheResultExactly) {
    const SizeCase& c = GetParam();
    const Rgb colour = c.source == Source::GrayJpeg ? Rgb{90, 90, 90} : Rgb{200, 120, 40};
    const auto source = MakeSource(c.width, c.height, c.source, [&](int, int) { return colour; });
    const auto working = MakeWorkingBitmap(*source, c.targetWidth, c.targetHeight, TReduction::Smooth);
    ASSERT_EQ(working->ImageWidth(), c.targetWidth);
    ASSERT_EQ(working->ImageHeight(), c.targetHeight);
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(source.get())) {
        EXPECT_FALSE(jpeg->HeldBitmap()) << "not streamed";
    }
    if (auto* raster = dynamic_cast<TRasterImage*>(source.get())) {
        std::shared_ptr<const platform::IccTransform> toSrgb;
        EXPECT_TRUE(raster->StreamRows([](std::int32_t, const std::uint8_t*, std::int32_t) {}, {}, toSrgb))
            << "decoded whole";
    }
    // A JPEG's flat colour is what its decoder makes of it: the exact road's.
    const auto exact = MakeWorkingBitmap(*source, 1, 1, TReduction::Exact);
    for (int channel = 0; channel < 3; ++channel) {
        const int expected = Channel(*exact, channel).At(0, 0);
        const Plane plane = Channel(*working, channel);
        for (int value : plane.values) ASSERT_EQ(value, expected) << "channel " << channel;
    }
}

// Sources sized so that each DCT scale 1/8 .. 8/8 is the smallest that holds twice 100 x 75.
INSTANTIATE_TEST_SUITE_P(
    Table, SmoothSizes,
    testing::Values(SizeCase{1, 1, 640, 480, Source::Bitmap}, SizeCase{1, 1, 640, 480, Source::Jpeg},
                    SizeCase{1, 300, 1, 480, Source::Jpeg}, SizeCase{1000, 1, 640, 1, Source::Jpeg},
                    SizeCase{1300, 2, 640, 1, Source::Bitmap}, SizeCase{320, 240, 640, 480, Source::Jpeg},
                    SizeCase{105, 100, 503, 480, Source::Bitmap}, SizeCase{641, 479, 640, 478, Source::Jpeg},
                    SizeCase{999, 333, 640, 213, Source::Png}, SizeCase{1600, 1200, 100, 75, Source::Jpeg},
                    SizeCase{800, 600, 100, 75, Source::Jpeg}, SizeCase{534, 400, 100, 75, Source::Jpeg},
                    SizeCase{400, 300, 100, 75, Source::Jpeg}, SizeCase{320, 240, 100, 75, Source::Jpeg},
                    SizeCase{267, 200, 100, 75, Source::Jpeg}, SizeCase{229, 172, 100, 75, Source::Jpeg},
                    SizeCase{201, 151, 100, 75, Source::Jpeg}, SizeCase{333, 251, 100, 75, Source::GrayJpeg}));

struct EdgeCase {
    int width, height, targetWidth, targetHeight;
    double edge;  // where dark turns light, as a fraction of the picture's side
    Source source;
};

void PrintTo(const EdgeCase& c, std::ostream* os) {
    *os << c.width << "x" << c.height << " -> " << c.targetWidth << "x" << c.targetHeight << " at " << c.edge << " "
        << SourceName(c.source);
}

// The first position along a line whose value is past the middle of dark and light.
int Crossing(const Plane& plane, bool across, int line) {
    const int count = across ? plane.width : plane.height;
    for (int i = 0; i < count; ++i)
        if ((across ? plane.At(i, line) : plane.At(line, i)) > 127) return i;
    return count;
}

class SmoothEdges : public testing::TestWithParam<EdgeCase> {};

TEST_P(SmoothEdges, StayWithinOnePixelOfTheExactRoads) {
    const EdgeCase& c = GetParam();
    for (const bool across : {true, false}) {
        const int split = int(std::lround((across ? c.width : c.height) * c.edge));
        const auto source = MakeSource(c.width, c.height, c.source, [&](int x, int y) {
            const int v = (across ? x : y) < split ? 20 : 235;
            return Rgb{v, v, v};
        });
        const Plane smooth = Reduced(*source, c.targetWidth, c.targetHeight, TReduction::Smooth);
        const Plane exact = Reduced(*source, c.targetWidth, c.targetHeight, TReduction::Exact);
        const int line = (across ? c.targetHeight : c.targetWidth) / 2;
        EXPECT_LE(std::abs(Crossing(smooth, across, line) - Crossing(exact, across, line)), 1)
            << (across ? "across" : "down");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SmoothEdges,
                         testing::Values(EdgeCase{1000, 750, 640, 480, 0.5, Source::Bitmap},
                                         EdgeCase{1000, 750, 640, 480, 0.5, Source::Jpeg},
                                         EdgeCase{2820, 1586, 320, 180, 0.3, Source::Jpeg},
                                         EdgeCase{1001, 757, 640, 484, 0.77, Source::Jpeg},
                                         EdgeCase{333, 250, 640, 480, 0.41, Source::Png},
                                         EdgeCase{2000, 3000, 320, 480, 0.13, Source::Bitmap}));

// A zone plate: rings whose frequency rises with the distance from the centre, up to the
// picture's own limit at the middle of its sides.
struct ZonePlate {
    int side;
    double Frequency(double r) const { return r / side; }  // cycles per source pixel
    int Value(int x, int y) const {
        const double dx = x + 0.5 - side / 2.0, dy = y + 0.5 - side / 2.0;
        return int(std::lround(127.5 + 100 * std::cos(std::numbers::pi * (dx * dx + dy * dy) / side)));
    }
};

// Energy of the result where the source holds only detail too fine for it: there a perfect
// reduction is the plain mean, so everything else is aliasing. The band between the two limits
// is left out for the filter's transition.
double AliasingEnergy(const Plane& plane, const ZonePlate& plate) {
    const double ratio = double(plate.side) / plane.width;
    const double targetLimit = 0.5 / ratio;  // the result's Nyquist frequency, in source terms
    double energy = 0;
    for (int y = 0; y < plane.height; ++y)
        for (int x = 0; x < plane.width; ++x) {
            const double r = std::hypot((x + 0.5) * ratio - plate.side / 2.0, (y + 0.5) * ratio - plate.side / 2.0);
            const double f = plate.Frequency(r);
            if (f > 1.3 * targetLimit && f < 0.45) energy += std::pow(plane.At(x, y) - 127.5, 2);
        }
    return energy;
}

class SmoothZonePlate : public testing::TestWithParam<Source> {};

TEST_P(SmoothZonePlate, HasTenDecibelsLessAliasingThanSampling) {
    const ZonePlate plate{960};
    const auto source = MakeSource(plate.side, plate.side, GetParam(), [&](int x, int y) {
        const int v = plate.Value(x, y);
        return Rgb{v, v, v};
    });
    const double exact = AliasingEnergy(Reduced(*source, 240, 240, TReduction::Exact), plate);
    const double smooth = AliasingEnergy(Reduced(*source, 240, 240, TReduction::Smooth), plate);
    EXPECT_GE(10 * std::log10(exact / std::max(smooth, 1.0)), 10.0) << exact << " against " << smooth;
}

std::string SourceTestName(const testing::TestParamInfo<Source>& param) {
    return param.param == Source::Bitmap ? "Bitmap" : "Jpeg";
}

INSTANTIATE_TEST_SUITE_P(Sources, SmoothZonePlate, testing::Values(Source::Bitmap, Source::Jpeg), SourceTestName);

}  // namespace
