// One file through the real road: what is written, when nothing is, and that the bytes are the
// window's save road's own.

#include <gtest/gtest.h>

#include <QImage>

#include "TestPictures.h"
#include "app/conversion/PictureConversion.h"
#include "app/conversion/PictureFormats.h"
#include "convert/Options.h"
#include "support/TestData.h"

namespace {

using namespace convtest;

class PictureConversion : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterPictureFormats(); }
    std::string At(const std::string& name) const { return dir.File(name); }

    testdata::TempDir dir;
    ConversionSettings settings;
};

struct RuleCase {
    const char* name;  // the extension picks the writer and the reader
    int width, height;
    int resultWidth, resultHeight;
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name << ' ' << c.width << 'x' << c.height; }

class ScaledByTheRule : public PictureConversion, public testing::WithParamInterface<RuleCase> {};

TEST_P(ScaledByTheRule, AndWrittenBesideWithNothingElseLeft) {
    const RuleCase& c = GetParam();
    (std::string(c.name).ends_with(".bmp") ? WriteBmp : WriteJpeg)(At(c.name), c.width, c.height);
    const FileOutcome outcome = ConvertPicture(At(c.name), settings);
    ASSERT_EQ(outcome.kind, OutcomeKind::Converted) << outcome.message;
    EXPECT_EQ(outcome.sourceSize.width, c.width);
    EXPECT_EQ(outcome.sourceSize.height, c.height);
    EXPECT_EQ(outcome.resultSize.width, c.resultWidth);
    EXPECT_EQ(outcome.resultSize.height, c.resultHeight);
    const std::string stem = std::string(c.name).substr(0, std::string(c.name).find('.'));
    EXPECT_EQ(outcome.output, At(stem + ".LMV.jpg"));
    EXPECT_EQ(QImage(QString::fromStdString(outcome.output), "JPEG").size(), QSize(c.resultWidth, c.resultHeight));
    EXPECT_EQ(FolderNames(dir.Path()).size(), 2u);  // the source and the output: no temporary left
}

INSTANTIATE_TEST_SUITE_P(Pictures, ScaledByTheRule,
                         testing::Values(RuleCase{"car.jpg", 200, 150, 640, 480},    // width rule
                                         RuleCase{"scan.bmp", 90, 120, 360, 480},    // height rule
                                         RuleCase{"wide.jpeg", 1000, 757, 640, 484}  // ratio just above 1.32
                                         ));

TEST_F(PictureConversion, GrayWritesOneChannel) {
    WriteBmp(At("scan.bmp"), 90, 120);
    settings.output.Gray = true;
    ASSERT_EQ(ConvertPicture(At("scan.bmp"), settings).kind, OutcomeKind::Converted);
    EXPECT_EQ(QImage(QString::fromStdString(At("scan.LMV.jpg"))).format(), QImage::Format_Grayscale8);
}

TEST_F(PictureConversion, PictureThatFitsIsSkippedUnlessReprocessed) {
    WriteBmp(At("fits.bmp"), 60, 480);
    const FileOutcome skipped = ConvertPicture(At("fits.bmp"), settings);
    EXPECT_EQ(skipped.kind, OutcomeKind::Skipped);
    EXPECT_NE(skipped.message.find("--reprocess"), std::string::npos);
    EXPECT_EQ(skipped.resultSize.width, 60);
    EXPECT_FALSE(Exists(At("fits.LMV.jpg")));
    settings.reprocess = true;
    EXPECT_EQ(ConvertPicture(At("fits.bmp"), settings).kind, OutcomeKind::Converted);
    EXPECT_EQ(QImage(QString::fromStdString(At("fits.LMV.jpg"))).size(), QSize(60, 480));
}

TEST_F(PictureConversion, ExistingOutputIsKeptUnlessOverwriteIsGiven) {
    WriteBmp(At("car.bmp"), 200, 150);
    WriteText(At("car.LMV.jpg"), "earlier");
    const FileOutcome skipped = ConvertPicture(At("car.bmp"), settings);
    EXPECT_EQ(skipped.kind, OutcomeKind::Skipped);
    EXPECT_NE(skipped.message.find("--overwrite"), std::string::npos);
    EXPECT_EQ(ReadBytes(At("car.LMV.jpg")), (Bytes{'e', 'a', 'r', 'l', 'i', 'e', 'r'}));
    settings.overwrite = true;
    EXPECT_EQ(ConvertPicture(At("car.bmp"), settings).kind, OutcomeKind::Converted);
    EXPECT_EQ(QImage(QString::fromStdString(At("car.LMV.jpg"))).size(), QSize(640, 480));
}

TEST_F(PictureConversion, FolderInTheOutputsPlaceIsNoExistingFile) {
    WriteBmp(At("car.bmp"), 200, 150);
    std::filesystem::create_directory(At("car.LMV.jpg"));
    const FileOutcome outcome = ConvertPicture(At("car.bmp"), settings);
    EXPECT_EQ(outcome.kind, OutcomeKind::Failed);  // not skipped: writing is tried and fails
    EXPECT_NE(outcome.message.find("Cannot create file"), std::string::npos) << outcome.message;
}

TEST_F(PictureConversion, DryRunReportsSizesAndWritesNothing) {
    WriteJpeg(At("car.jpg"), 200, 150);
    settings.dryRun = true;
    const FileOutcome outcome = ConvertPicture(At("car.jpg"), settings);
    EXPECT_EQ(outcome.kind, OutcomeKind::Planned);
    EXPECT_EQ(outcome.resultSize.width, 640);
    EXPECT_EQ(outcome.resultSize.height, 480);
    EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"car.jpg"});
}

TEST_F(PictureConversion, ZeroSideResultFailsAndWritesNothing) {
    WriteBmp(At("strip.bmp"), 1300, 2);
    const FileOutcome outcome = ConvertPicture(At("strip.bmp"), settings);
    EXPECT_EQ(outcome.kind, OutcomeKind::Failed);
    EXPECT_EQ(outcome.resultSize.width, 640);
    EXPECT_EQ(outcome.resultSize.height, 0);
    EXPECT_NE(outcome.message.find("640 x 0"), std::string::npos) << outcome.message;
    EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"strip.bmp"});
}

// An empty BMP file is a picture of 0 x 0 to the window, whose size rule then fails; the tool
// says plainly what is wrong with the file.
TEST_F(PictureConversion, EmptyFileFailsWithAPlainReason) {
    WriteText(At("empty.bmp"), "");
    const FileOutcome outcome = ConvertPicture(At("empty.bmp"), settings);
    EXPECT_EQ(outcome.kind, OutcomeKind::Failed);
    EXPECT_EQ(outcome.message, "empty file");
    EXPECT_EQ(FolderNames(dir.Path()), std::vector<std::string>{"empty.bmp"});
}

struct BadFile {
    const char* name;
    const char* content;  // null: the file does not exist
    const char* messagePart;
};

void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }

class UnreadableSource : public PictureConversion, public testing::WithParamInterface<BadFile> {};

TEST_P(UnreadableSource, FailsWithTheReadersMessageAndWritesNothing) {
    if (GetParam().content) WriteText(At(GetParam().name), GetParam().content);
    const FileOutcome outcome = ConvertPicture(At(GetParam().name), settings);
    EXPECT_EQ(outcome.kind, OutcomeKind::Failed);
    EXPECT_FALSE(outcome.sizesKnown);
    EXPECT_NE(outcome.message.find(GetParam().messagePart), std::string::npos) << outcome.message;
    EXPECT_EQ(FolderNames(dir.Path()).size(), GetParam().content ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnreadableSource,
                         testing::Values(BadFile{"notes.jpg", "not a photo", "JPEG"},
                                         BadFile{"notes.txt", "text", "Unknown picture file extension (.txt)"},
                                         BadFile{"gone.jpg", nullptr, "Cannot open file"}));

TEST(ConversionSettings, QualityTextIsReadAsTheWindowsField) {
    ConvertOptions options;
    for (const auto& [text, quality] : std::vector<std::pair<std::string, int>>{
             {"75", 75}, {"abc", 75}, {"", 75}, {"300", 100}, {"256", 100}, {"-1", 1}, {"$20", 32}}) {
        options.qualityText = text;
        EXPECT_EQ(SettingsFrom(options).output.Quality, quality) << text;
    }
}

}  // namespace
