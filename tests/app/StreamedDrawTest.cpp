// A JPEG, PNG or WebP picture streamed into the working bitmap against the same picture decoded
// first and then drawn: the same pixels byte for byte, or the same failure.

#include "graphics/StreamedDraw.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "MainWindowFixture.h"
#include "app/conversion/SaveRoad.h"
#include "app/conversion/SizeRule.h"
#include "app/conversion/UprightPicture.h"
#include "formats/RasterImage.h"
#include "graphics/Picture.h"
#include "graphics/Streams.h"
#include "jpeg/JPEGImage.h"
#include "platform/Gdi.h"
#include "support/TaggedPhotos.h"

namespace {

using Bytes = tagged::Bytes;

// A picture with gradients and hard edges, so that every sampled row and column shows.
void WritePpm(const std::string& path, int width, int height) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << ' ' << height << "\n255\n";
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool edge = ((x / 7) + (y / 5)) % 3 == 0;
            out.put(char(x * 255 / std::max(width, 1)))
                .put(char(edge ? 250 : y * 255 / std::max(height, 1)))
                .put(char((x * 13 + y * 29) & 0xFF));
        }
}

std::optional<Bytes> Cjpeg(const testdata::TempDir& temp, int width, int height, const std::string& options) {
    const std::string ppm = temp.File("in.ppm"), jpg = temp.File("in.jpg");
    WritePpm(ppm, width, height);
    const std::string command = "cjpeg " + options + " -outfile '" + jpg + "' '" + ppm + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    return tagged::ReadBytes(jpg);
}

// The picture of WritePpm (or a photograph of the backgrounds, "PHOTO") made by `command`, whose IN
// and OUT stand for its input and output files; nothing when a tool or the photograph is missing.
std::optional<Bytes> Made(const testdata::TempDir& temp, int width, int height, std::string command) {
    const std::string ppm = temp.File("in.ppm"), out = temp.File("made");
    WritePpm(ppm, width, height);
    const auto put = [&command](const std::string& name, const std::string& path) {
        const std::string quoted = "'" + path + "'";
        for (std::size_t at = 0; (at = command.find(name, at)) != std::string::npos; at += quoted.size())
            command.replace(at, name.size(), quoted);
    };
    put("PHOTO", "/usr/share/backgrounds/mate/nature/Aqua.jpg");
    put("IN", ppm);
    put("OUT", out);
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) return std::nullopt;
    return tagged::ReadBytes(out);
}

std::optional<Bytes> AdobeRgbPhoto(const testdata::TempDir& temp) {
    const auto photo = tagged::MakePhoto(temp);
    const Bytes profile = tagged::ReadBytes(tagged::kColordProfiles + "AdobeRGB1998.icc");
    if (!photo || profile.empty()) return std::nullopt;
    return tagged::WithProfile(*photo, profile);
}

std::optional<Bytes> CutShort(std::optional<Bytes> bytes) {
    if (bytes) bytes->resize(bytes->size() * 3 / 5);
    return bytes;
}

std::optional<Bytes> MateBackground(const std::string& name) {
    const Bytes bytes = tagged::ReadBytes("/usr/share/backgrounds/mate/" + name);
    if (bytes.empty()) return std::nullopt;
    return bytes;
}

// The file with an EXIF block right after its start marker whose orientation turns the picture.
std::optional<Bytes> Turned(std::optional<Bytes> bytes) {
    if (!bytes) return bytes;
    const Bytes exif = {0xFF, 0xE1, 0,    34,   'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8,
                        0,    1,    0x01, 0x12, 0,   3,   0,   0,   0, 1, 0,   6,   0, 0,  0, 0, 0, 0};
    bytes->insert(bytes->begin() + 2, exif.begin(), exif.end());
    return bytes;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string BmpBytes(TBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return {reinterpret_cast<const char*>(stream.Memory()), std::size_t(stream.Size())};
}

// The working bitmap's stored bytes, or the failure's message.
struct Drawn {
    std::string pixels, failure;
    bool streamed = false;
};

// The file read and turned upright as the conversion does it, then drawn into a working bitmap
// (or, with `depth`, a bitmap of that depth); with a size of 0 the conversion's result size
// divided by `divisor`.
Drawn DrawWorking(const std::string& path, int width, int height, bool decodeFirst, int divisor = 1,
                  TPixelDepth depth = TPixelDepth::Device) {
    Drawn drawn;
    try {
        TPicture picture;
        picture.ReadFromFile(path);
        OrientUpright(picture);
        TGraphic& graphic = *picture.CurrentGraphic();
        auto* image = dynamic_cast<TJPEGImage*>(&graphic);
        auto* raster = dynamic_cast<TRasterImage*>(&graphic);
        if (width == 0) {
            const TResultSize size = ApplySizeRule(graphic.ImageWidth(), graphic.ImageHeight());
            width = size.Width / divisor;
            height = size.Height / divisor;
        }
        if (decodeFirst && image) image->Decode();
        if (decodeFirst && raster) raster->Decode();
        std::unique_ptr<TBitmap> working;
        if (depth == TPixelDepth::Device) working = MakeWorkingBitmap(graphic, width, height);
        else {
            working = NewWorkingBitmap(width, height);
            working->ChangeDepth(depth);
            if (!DrawStreamed(graphic, *working)) working->Canvas().StretchDrawGraphic({0, 0, width, height}, &graphic);
        }
        drawn.streamed = (image && !image->HeldBitmap()) || (raster && !raster->HeldBitmap());
        drawn.pixels = BmpBytes(*working);
    } catch (const std::exception& error) {
        drawn.failure = error.what();
    }
    return drawn;
}

struct Case {
    const char* name;
    std::function<std::optional<Bytes>(const testdata::TempDir&)> make;
    int width = 0, height = 0;  // of the working bitmap; 0 for the conversion's size rule
    bool streams = true;        // false: the picture keeps the decoded bitmap
    bool paletteDisplay = false;
    const char* extension = "jpg";
    TPixelDepth depth = TPixelDepth::Device;  // of the working bitmap
};

// An 8-bit palette display for one test, when the case asks for it.
class PaletteDisplay {
public:
    explicit PaletteDisplay(bool on) : saved_(platform::Display()) {
        if (on) platform::Display().bitsPerPixel = 8;
    }
    ~PaletteDisplay() { platform::Display() = saved_; }

private:
    platform::DisplaySettings saved_;
};

const Case kCases[] = {
    {"Baseline444", [](auto& t) { return Cjpeg(t, 301, 157, "-sample 1x1"); }, 64, 33},
    {"Baseline422", [](auto& t) { return Cjpeg(t, 301, 157, "-sample 2x1"); }, 64, 33},
    {"Baseline420", [](auto& t) { return Cjpeg(t, 301, 157, "-sample 2x2"); }, 97, 50},
    {"Progressive444", [](auto& t) { return Cjpeg(t, 301, 157, "-progressive -sample 1x1"); }, 64, 33},
    {"Progressive420", [](auto& t) { return Cjpeg(t, 301, 157, "-progressive"); }, 97, 50},
    {"RestartEveryRow", [](auto& t) { return Cjpeg(t, 301, 157, "-restart 1"); }, 64, 33},
    {"RestartEveryBlock", [](auto& t) { return Cjpeg(t, 120, 40, "-restart 1B -sample 1x1"); }, 50, 17},
    {"OnePixelHigh", [](auto& t) { return Cjpeg(t, 500, 1, ""); }, 101, 1},
    {"OnePixelWide", [](auto& t) { return Cjpeg(t, 1, 300, ""); }, 1, 61},
    {"SameSize", [](auto& t) { return Cjpeg(t, 64, 48, ""); }, 64, 48},
    {"Upscaled", [](auto& t) { return Cjpeg(t, 40, 30, ""); }, 131, 97},
    {"Gray", [](auto& t) { return Cjpeg(t, 301, 157, "-grayscale"); }, 64, 33, false},
    {"Turned", [](auto& t) { return Turned(Cjpeg(t, 301, 157, "")); }, 64, 33, false},
    {"PaletteDisplay", [](auto& t) { return Cjpeg(t, 301, 157, ""); }, 64, 33, false, true},
    {"ProfileTagged", AdobeRgbPhoto, 61, 45},
    // Bitmaps other than a display surface take the rows through a blit.
    {"Baseline420Into24Bits", [](auto& t) { return Cjpeg(t, 301, 157, "-sample 2x2"); }, 97, 50, true, false, "jpg",
     TPixelDepth::Bits24},
    {"ProfileTaggedInto32Bits", AdobeRgbPhoto, 61, 45, true, false, "jpg", TPixelDepth::Bits32},
    {"CutShortBaseline", [](auto& t) { return CutShort(Cjpeg(t, 301, 157, "")); }, 64, 33},
    {"CutShortProgressive", [](auto& t) { return CutShort(Cjpeg(t, 301, 157, "-progressive")); }, 64, 33},
    {"CutInHeader",
     [](auto& t) -> std::optional<Bytes> {
         auto bytes = Cjpeg(t, 301, 157, "");
         if (bytes) bytes->resize(120);
         return bytes;
     }},
    {"MateElephants", [](auto&) { return MateBackground("abstract/Elephants.jpg"); }},
    {"OpaquePng", [](auto& t) { return Made(t, 301, 157, "/usr/bin/convert IN PNG24:OUT"); }, 64, 33, true, false,
     "png"},
    {"AlphaPng",
     [](auto& t) { return Made(t, 301, 157, "/usr/bin/convert IN -alpha set -channel A -fx 'i/w' PNG32:OUT"); }, 97, 50,
     true, false, "png"},
    {"PalettePng", [](auto& t) { return Made(t, 301, 157, "/usr/bin/convert IN -colors 40 PNG8:OUT"); }, 131, 97, true,
     false, "png"},
    {"SixteenBitPng", [](auto& t) { return Made(t, 120, 40, "/usr/bin/convert IN -depth 16 PNG48:OUT"); }, 50, 17, true,
     false, "png"},
    {"InterlacedPng", [](auto& t) { return Made(t, 301, 157, "/usr/bin/convert IN -interlace PNG PNG24:OUT"); }, 64, 33,
     false, false, "png"},
    {"ProfileTaggedPng",
     [](auto& t) {
         return Made(t, 301, 157, "/usr/bin/convert IN -profile " + tagged::kColordProfiles + "AdobeRGB1998.icc OUT");
     },
     61, 45, true, false, "png"},
    {"CutShortPng", [](auto& t) { return CutShort(Made(t, 301, 157, "/usr/bin/convert IN PNG24:OUT")); }, 64, 33, true,
     false, "png"},
    {"LossyWebP", [](auto& t) { return Made(t, 301, 157, "/usr/bin/cwebp -quiet -q 80 IN -o OUT"); }, 64, 33, true,
     false, "webp"},
    {"LosslessWebP", [](auto& t) { return Made(t, 301, 157, "/usr/bin/cwebp -quiet -lossless IN -o OUT"); }, 97, 50,
     true, false, "webp"},
    // Large enough for the decoder to be given the file in several steps.
    {"PhotoLossyWebP", [](auto& t) { return Made(t, 1, 1, "/usr/bin/cwebp -quiet -q 95 -resize 1600 0 PHOTO -o OUT"); },
     0, 0, true, false, "webp"},
    {"PhotoAlphaWebP",
     [](auto& t) {
         return Made(
             t, 1, 1,
             "/usr/bin/convert PHOTO -resize 1400x1000! \\( -size 1400x1000 gradient:white-black \\) -alpha off "
             "-compose CopyOpacity -composite PNG32:OUT.png && "
             "/usr/bin/cwebp -quiet -q 90 -alpha_filter best OUT.png -o OUT");
     },
     0, 0, true, false, "webp"},
    {"CutShortWebP",
     [](auto& t) { return CutShort(Made(t, 1, 1, "/usr/bin/cwebp -quiet -q 95 -resize 1600 0 PHOTO -o OUT")); }, 0, 0,
     true, false, "webp"},
    {"MateAqua", [](auto&) { return MateBackground("nature/Aqua.jpg"); }},
    {"MateGreenTraditional", [](auto&) { return MateBackground("desktop/GreenTraditional.jpg"); }},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// The case's file in `temp`; empty when cjpeg, ImageMagick or the photograph is missing.
std::string CaseFile(const Case& c, const testdata::TempDir& temp) {
    const auto bytes = c.make(temp);
    if (!bytes) return {};
    const std::string path = temp.File(std::string("case.") + c.extension);
    WriteBytes(path, *bytes);
    return path;
}

class StreamedDraw : public testing::TestWithParam<Case> {
protected:
    testdata::TempDir temp;
};

TEST_P(StreamedDraw, GivesTheDecodedBitmapsPixelsOrItsFailure) {
    const Case& c = GetParam();
    const std::string path = CaseFile(c, temp);
    if (path.empty()) GTEST_SKIP() << "cjpeg, ImageMagick or the photograph is missing";
    const PaletteDisplay display(c.paletteDisplay);
    const Drawn held = DrawWorking(path, c.width, c.height, true, 1, c.depth);
    const Drawn streamed = DrawWorking(path, c.width, c.height, false, 1, c.depth);
    EXPECT_EQ(streamed.failure, held.failure);
    EXPECT_TRUE(streamed.pixels == held.pixels) << "the working bitmaps differ";
    if (held.failure.empty()) {
        EXPECT_EQ(streamed.streamed, c.streams);
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, StreamedDraw, testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

// The window's save: its preview and its result, drawn from the same rows, against the decoded
// picture drawn into white bitmaps of the preview's and the result's size.
class StreamedPreview : public MainWindow, public testing::WithParamInterface<Case> {};

TEST_P(StreamedPreview, IsTheDecodedPicturesPreview) {
    const Case& c = GetParam();
    const std::string path = CaseFile(c, folder);
    if (path.empty()) GTEST_SKIP() << "cjpeg, ImageMagick or the photograph is missing";
    const PaletteDisplay display(c.paletteDisplay);
    const Drawn held = DrawWorking(path, 0, 0, true, 4);
    std::string failure;
    try {
        Save(path);
    } catch (const std::exception& error) {
        failure = error.what();
    }
    if (!held.failure.empty()) {
        // A damaged header resets the window without a word; damaged rows leave it with the error.
        EXPECT_TRUE(failure == held.failure || Form1->LE1->Text().empty()) << failure;
        return;
    }
    EXPECT_EQ(failure, "");
    EXPECT_TRUE(BmpBytes(*Form1->Image0->Picture().AsBitmap()) == held.pixels) << "the previews differ";
    EXPECT_TRUE(BmpBytes(*Form1->Img1->Picture().AsBitmap()) == DrawWorking(path, 0, 0, true).pixels)
        << "the results differ";
}

INSTANTIATE_TEST_SUITE_P(Pictures, StreamedPreview, testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

class StreamedSave : public MainWindow {};

// A second frame header after the rows: the decoder fails once every row has been drawn.
TEST_F(StreamedSave, FailureAfterTheRowsLeavesThePreviousOutput) {
    auto bytes = Cjpeg(folder, 301, 157, "");
    if (!bytes) GTEST_SKIP() << "cjpeg is missing";
    std::size_t sof = 2;
    while (sof + 4 < bytes->size() && (*bytes)[sof + 1] != 0xC0)
        sof += 2 + ((*bytes)[sof + 2] << 8 | (*bytes)[sof + 3]);
    ASSERT_LT(sof + 4, bytes->size());
    const Bytes frame(bytes->begin() + std::ptrdiff_t(sof),
                      bytes->begin() + std::ptrdiff_t(sof + 2 + ((*bytes)[sof + 2] << 8 | (*bytes)[sof + 3])));
    bytes->insert(bytes->end() - 2, frame.begin(), frame.end());
    const std::string output = folder.File("out.jpg");
    std::filesystem::remove(folder.File("in.ppm"));
    std::filesystem::remove(folder.File("in.jpg"));
    std::ofstream(output) << "previous";
    const std::string source = folder.File("source.jpg");
    WriteBytes(source, *bytes);
    TPicture picture;
    picture.ReadFromFile(source);
    EXPECT_THROW(SaveConversion(*picture.CurrentGraphic(), {64, 33}, {}, output), EJPEG);
    EXPECT_FALSE(static_cast<TJPEGImage*>(picture.CurrentGraphic())->HeldBitmap()) << "the streamed road was not taken";
    EXPECT_EQ(FileBytes(output), "previous");
    // The window: the failure leaves from the preview, which stays white, and nothing is written.
    Form1->LE1->SetText(source);
    Form1->LE3->SetText(output);
    Form1->CheckBox2->SetChecked(true);
    EXPECT_THROW(Form1->Button2Click(Form1->Button2), EJPEG);
    EXPECT_TRUE(BmpBytes(*Form1->Image0->Picture().AsBitmap()) ==
                BmpBytes(*NewWorkingBitmap(Form1->Image0->Width(), Form1->Image0->Height())));
    EXPECT_EQ(Form1->Img1->Picture().CurrentGraphic(), nullptr);
    EXPECT_EQ(FileBytes(output), "previous");
    const auto entries = std::distance(std::filesystem::directory_iterator(folder.Path()), {});
    EXPECT_EQ(entries, 2) << "a partial file was left beside the output";
}

}  // namespace
