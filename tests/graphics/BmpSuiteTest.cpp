// Conformance over the bmpsuite files: good files match their reference renders pixel for
// pixel, bad files load or fail with the format's own errors, questionable ones either way.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <map>
#include <set>

#include "BitmapTestSupport.h"
#include "graphics/Exceptions.h"
#include "support/TestData.h"

namespace fs = std::filesystem;

namespace {
// The reference render of each good file (several files share one picture).
// clang-format off
const std::map<std::string, std::string>& GoodReferences() {
    static const std::map<std::string, std::string> references = {
        {"pal1", "pal1"},         {"pal1wb", "pal1"},       {"pal1bg", "pal1bg"},
        {"pal4", "pal4"},         {"pal4gs", "pal4gs"},     {"pal4rle", "pal4"},
        {"pal8", "pal8"},         {"pal8-0", "pal8"},       {"pal8gs", "pal8gs"},
        {"pal8rle", "pal8"},      {"pal8w126", "pal8w126"}, {"pal8w125", "pal8w125"},
        {"pal8w124", "pal8w124"}, {"pal8topdown", "pal8"},  {"pal8nonsquare", "pal8nonsquare-e"},
        {"pal8os2", "pal8"},      {"pal8v4", "pal8"},       {"pal8v5", "pal8"},
        {"rgb16", "rgb16"},       {"rgb16bfdef", "rgb16"},  {"rgb16-565", "rgb16-565"},
        {"rgb16-565pal", "rgb16-565"}, {"rgb24", "rgb24"}, {"rgb24pal", "rgb24"},
        {"rgb32", "rgb24"},       {"rgb32bfdef", "rgb24"},  {"rgb32bf", "rgb24"}};
    return references;
}
// clang-format on

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".bmp") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The picture drawn at its own size into a 32-bit bitmap, as red-green-blue rows.
std::vector<std::uint32_t> Rendered(TBitmap& picture) {
    const int width = picture.ImageWidth(), height = picture.ImageHeight();
    TBitmap target;
    bitmaptest::Shape(target, TPixelDepth::Bits32, width, height);
    target.Canvas().StretchDrawGraphic(TRect{0, 0, width, height}, &picture);
    std::vector<std::uint32_t> rgb;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = target.ScanRow(y);
        for (int x = 0; x < width; ++x)
            rgb.push_back(std::uint32_t(row[4 * x + 2]) << 16 | std::uint32_t(row[4 * x + 1]) << 8 | row[4 * x]);
    }
    return rgb;
}

int CountDifferences(const std::vector<std::uint32_t>& rendered, const QImage& reference) {
    int differences = 0;
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x) {
            const std::uint32_t want = reference.pixel(x, y) & 0xFFFFFF;
            if (rendered[std::size_t(y * reference.width() + x)] != want) ++differences;
        }
    return differences;
}

// "loaded" or the failure's class and text; anything else escapes and fails the test.
std::string Verdict(const fs::path& file) {
    TBitmap bitmap;
    try {
        bitmap.ReadFromFile(file.string());
    } catch (const EInvalidGraphic& e) {
        return std::string("refused: EInvalidGraphic ") + e.Message();
    } catch (const EReadError& e) {
        return std::string("refused: EReadError ") + e.Message();
    }
    Rendered(bitmap);  // whatever loaded must also draw
    return "loaded " + std::to_string(bitmap.ImageWidth()) + "x" + std::to_string(bitmap.ImageHeight());
}

void CheckGoodFile(const fs::path& suite, const fs::path& file) {
    SCOPED_TRACE(file.filename().string());
    {
        const auto found = GoodReferences().find(file.stem().string());
        ASSERT_NE(found, GoodReferences().end()) << "no reference named for this file";
        TBitmap bitmap;
        ASSERT_NO_THROW(bitmap.ReadFromFile(file.string()));
        const QImage reference(QString::fromStdString((suite / "reference" / (found->second + ".png")).string()));
        ASSERT_FALSE(reference.isNull());
        ASSERT_EQ(bitmap.ImageWidth(), reference.width());
        ASSERT_EQ(bitmap.ImageHeight(), reference.height());
        EXPECT_EQ(CountDifferences(Rendered(bitmap), reference), 0);
    }
}

// Drawn unscaled (the non-square file too, whose reference keeps its stored size).
TEST(BmpSuite, GoodFilesMatchTheirReferences) {
    REQUIRE_TESTDATA(root);
    const fs::path suite = root / "bmpsuite";
    for (const fs::path& file : FilesIn(suite / "g")) CheckGoodFile(suite, file);
}

// Every file of the suite holds the same 127 x 64 picture: what loads, loads at that size.
void ExpectRefusedOrTheSuitesPicture(const fs::path& file, bool mustRefuse) {
    SCOPED_TRACE(file.filename().string());
    std::string verdict;
    ASSERT_NO_THROW(verdict = Verdict(file));
    if (mustRefuse) {
        EXPECT_EQ(verdict.rfind("refused: ", 0), 0u) << verdict;
    } else if (verdict.rfind("loaded ", 0) == 0) {
        EXPECT_EQ(verdict, "loaded 127x64");
    }
}

// Headers no reader can take as they stand are refused: a bit count no bitmap has, planes other
// than 1, a negative width, sides beyond the limits, run-length data stored top-down.
TEST(BmpSuite, BadFilesLoadOrFailCleanly) {
    REQUIRE_TESTDATA(root);
    const std::set<std::string> refused = {"badbitcount", "badplanes", "badwidth", "reallybig", "rletopdown"};
    for (const fs::path& file : FilesIn(root / "bmpsuite" / "b"))
        ExpectRefusedOrTheSuitesPicture(file, refused.contains(file.stem().string()));
}

// Formats the reader does not take (2-bit, Huffman, embedded JPEG and PNG, 24-bit run lengths,
// alpha bit fields, 64 bits) are refused.
TEST(BmpSuite, QuestionableFilesLoadOrFailCleanly) {
    REQUIRE_TESTDATA(root);
    const std::set<std::string> refused = {"pal1huffmsb", "pal2",       "pal2color", "rgb24jpeg",
                                           "rgb24png",    "rgb24rle24", "rgba32abf", "rgba64"};
    for (const fs::path& file : FilesIn(root / "bmpsuite" / "q"))
        ExpectRefusedOrTheSuitesPicture(file, refused.contains(file.stem().string()));
}
}  // namespace
