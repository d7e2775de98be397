// The conformance metafiles: each loads with the size its header gives, plays into a bitmap and
// draws something; the damaged ones end in the reader's error or a picture. Setting
// OBRAZOR_METAFILE_RENDERS to a folder writes every render there as PNG, for looking at them.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "graphics/Exceptions.h"
#include "graphics/Picture.h"
#include "support/TestData.h"
#include "tests/graphics/MetafileTestSupport.h"

namespace {

namespace fs = std::filesystem;

// Files whose drawing is all in EMF+ comments or that select objects and draw nothing.
bool DrawsNothingInGdi(const std::string& name) { return name == "test-030.emf" || name == "test-038.emf"; }

std::vector<std::string> FilesIn(const char* folder, const char* extension = ".emf") {
    std::vector<std::string> names;
    const auto root = testdata::Root();
    if (!root || !fs::is_directory(*root / folder)) return {"none"};
    for (const auto& entry : fs::directory_iterator(*root / folder))
        if (entry.path().extension() == extension) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::int32_t HeaderInt(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::int32_t(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24));
}

// frame × device pixels ÷ (millimetres × 100), rounded to nearest.
std::int32_t ExpectedPixels(const std::vector<std::uint8_t>& b, std::size_t low, std::size_t high, std::size_t device,
                            std::size_t mm) {
    const double frame = double(HeaderInt(b, high)) - HeaderInt(b, low);
    return std::int32_t(std::lround(frame * HeaderInt(b, device) / (HeaderInt(b, mm) * 100.0)));
}

void SaveRender(const QImage& image, const std::string& name) {
    const char* folder = std::getenv("OBRAZOR_METAFILE_RENDERS");
    if (!folder || !*folder) return;
    fs::create_directories(folder);
    image.save(QString::fromStdString((fs::path(folder) / (name + ".png")).string()));
}

bool AllWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) return false;
    return true;
}

class MetafileFilesTest : public ::testing::TestWithParam<std::string> {};

TEST_P(MetafileFilesTest, LoadsWithHeaderSizeAndDraws) {
    REQUIRE_TESTDATA(root);
    emftest::EnsureGuiApplication();
    const fs::path path = root / "emf" / GetParam();
    const auto bytes = ReadBytes(path);
    TPicture picture;
    picture.ReadFromFile(path.string());
    EXPECT_EQ(picture.ImageWidth(), ExpectedPixels(bytes, 24, 32, 72, 80));
    EXPECT_EQ(picture.ImageHeight(), ExpectedPixels(bytes, 28, 36, 76, 84));
    // Drawn at a size that keeps the test quick: the longer side at most 800 pixels.
    const double scale = std::min(1.0, 800.0 / std::max(picture.ImageWidth(), picture.ImageHeight()));
    const int width = std::max(1, int(picture.ImageWidth() * scale)),
              height = std::max(1, int(picture.ImageHeight() * scale));
    const QImage image = emftest::Render(*picture.CurrentGraphic(), width, height);
    SaveRender(image, GetParam());
    EXPECT_EQ(AllWhite(image), DrawsNothingInGdi(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Emf, MetafileFilesTest, ::testing::ValuesIn(FilesIn("emf")), [](const auto& test) {
    return test.param.substr(0, test.param.find('.')).replace(4, 1, "_");
});

// Placeable Windows metafiles: the size from the placeable header at 96 pixels per inch; the two
// files without that header are refused.
bool Headerless(const std::string& name) { return name == "p0000001.wmf" || name == "text.wmf"; }

std::int32_t PlaceablePixels(const std::vector<std::uint8_t>& b, std::size_t low, std::size_t high) {
    const auto word = [&](std::size_t at) { return std::int16_t(b[at] | (b[at + 1] << 8)); };
    const double inch = std::uint16_t(word(14)) ? std::uint16_t(word(14)) : 96;
    const std::int32_t frame = std::int32_t(std::lround((word(high) - word(low)) * 2540 / inch));
    return std::int32_t(std::lround(frame * 96 / 2540.0));
}

class WindowsMetafileFilesTest : public ::testing::TestWithParam<std::string> {};

TEST_P(WindowsMetafileFilesTest, PlaceableLoadsAndDrawsHeaderlessIsRefused) {
    REQUIRE_TESTDATA(root);
    emftest::EnsureGuiApplication();
    const fs::path path = root / "wmf" / GetParam();
    TPicture picture;
    if (Headerless(GetParam())) {
        EXPECT_THROW(picture.ReadFromFile(path.string()), EInvalidGraphic);
        return;
    }
    const auto bytes = ReadBytes(path);
    picture.ReadFromFile(path.string());
    EXPECT_EQ(picture.ImageWidth(), PlaceablePixels(bytes, 6, 10));
    EXPECT_EQ(picture.ImageHeight(), PlaceablePixels(bytes, 8, 12));
    const double scale = std::min(1.0, 800.0 / std::max(picture.ImageWidth(), picture.ImageHeight()));
    const QImage image = emftest::Render(*picture.CurrentGraphic(), std::max(1, int(picture.ImageWidth() * scale)),
                                         std::max(1, int(picture.ImageHeight() * scale)));
    SaveRender(image, GetParam());
    EXPECT_FALSE(AllWhite(image));
    TMemoryStream written;
    picture.CurrentGraphic()->SaveToStream(written);
    written.SetPosition(0);
    TMetafile back;
    back.LoadFromStream(written);
    EXPECT_EQ(emftest::Render(back, image.width(), image.height()), image) << "after writing and reading back";
}

INSTANTIATE_TEST_SUITE_P(Wmf, WindowsMetafileFilesTest, ::testing::ValuesIn(FilesIn("wmf", ".wmf")),
                         [](const auto& test) {
                             std::string name = test.param.substr(0, test.param.find('.'));
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

class DamagedMetafileTest : public ::testing::TestWithParam<std::string> {};

TEST_P(DamagedMetafileTest, EndsInErrorOrPicture) {
    REQUIRE_TESTDATA(root);
    emftest::EnsureGuiApplication();
    TPicture picture;
    try {
        picture.ReadFromFile((root / "emf-corrupted" / GetParam()).string());
    } catch (const EInvalidGraphic&) {
        return;
    } catch (const EReadError&) {
        return;
    }
    const QImage image = emftest::Render(*picture.CurrentGraphic(), 64, 48);
    SaveRender(image, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Emf, DamagedMetafileTest, ::testing::ValuesIn(FilesIn("emf-corrupted")), [](const auto& test) {
    std::string name = test.param.substr(0, test.param.find('.'));
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

}  // namespace
