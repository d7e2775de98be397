// TMetafile: the size arithmetic, which bytes count as an enhanced metafile, the inclusive
// drawing rectangle, writing, persistence and frame changes.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/metafile/EmfRecordType.h"
#include "graphics/Exceptions.h"
#include "graphics/Picture.h"
#include "support/TestData.h"
#include "tests/graphics/BitmapTestSupport.h"
#include "tests/graphics/MetafileTestSupport.h"

namespace {

using emftest::EmfBuilder;

constexpr std::int32_t kBlackBrush = std::int32_t(0x80000004), kNullPen = std::int32_t(0x80000008);

// A black box over the whole default frame.
std::vector<std::uint8_t> BlackFrame() {
    return EmfBuilder()
        .Record(platform::EMR_SELECTOBJECT, {kBlackBrush})
        .Record(platform::EMR_SELECTOBJECT, {kNullPen})
        .Record(platform::EMR_RECTANGLE, {0, 0, 100, 100})
        .Bytes();
}

struct SizeCase {
    std::int32_t frameRight, frameBottom, deviceX, deviceY, mmX, mmY;
    std::int32_t width, height;
};

class MetafileSizeTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(MetafileSizeTest, PixelsFromFrameAndReferenceDevice) {
    const SizeCase c = GetParam();
    TMetafile metafile;
    emftest::Load(metafile, EmfBuilder(c.frameRight, c.frameBottom, c.deviceX, c.deviceY, c.mmX, c.mmY).Bytes());
    EXPECT_EQ(metafile.ImageWidth(), c.width);
    EXPECT_EQ(metafile.ImageHeight(), c.height);
    EXPECT_EQ(metafile.FrameWidth(), c.frameRight);
}

INSTANTIATE_TEST_SUITE_P(Metafile, MetafileSizeTest,
                         ::testing::Values(
                             // A4 on a 1024 x 768 device of 320 x 240 mm: 950.4 rounds down.
                             SizeCase{21000, 29700, 1024, 768, 320, 240, 672, 950},
                             // 10 pixels a millimetre: 0.05 pixel above a half rounds up.
                             SizeCase{1005, 1004, 1000, 1000, 100, 100, 101, 100},
                             // No millimetres: no size rather than a division by zero.
                             SizeCase{1000, 1000, 1000, 1000, 0, 0, 0, 0}));

TEST(MetafileTest, ResizeKeepsPixelsAndUnsharesCopies) {
    TMetafile metafile, copy;
    emftest::Load(metafile, BlackFrame());
    copy.CopyFrom(&metafile);
    metafile.ResizeWidth(250);
    metafile.ResizeHeight(40);
    EXPECT_EQ(metafile.ImageWidth(), 250);
    EXPECT_EQ(metafile.ImageHeight(), 40);
    EXPECT_EQ(copy.ImageWidth(), 100);
    EXPECT_EQ(copy.ImageHeight(), 100);
}

TEST(MetafileTest, PendingSizeWithoutContent) {
    TMetafile metafile;
    metafile.ResizeWidth(30);
    EXPECT_EQ(metafile.ImageWidth(), 30);
    EXPECT_EQ(metafile.ImageHeight(), 0);
    EXPECT_FALSE(metafile.IsEmpty());
}

TEST(MetafileTest, DrawIntoCoversTheRectangleAndNothingBeyond) {
    TMetafile metafile;
    emftest::Load(metafile, BlackFrame());
    TBitmap target;
    target.ResizeWidth(120);
    target.ResizeHeight(60);
    target.Canvas().StretchDrawGraphic({0, 0, 100, 50}, &metafile);
    EXPECT_EQ(bitmaptest::Pixel(target, 0, 0), 0x000000u);
    EXPECT_EQ(bitmaptest::Pixel(target, 99, 49), 0x000000u);
    EXPECT_EQ(bitmaptest::Pixel(target, 100, 49), 0xFFFFFFu);
    EXPECT_EQ(bitmaptest::Pixel(target, 99, 50), 0xFFFFFFu);
}

// Damaged framing and headers: "Metafile is not valid".
struct BadBytes {
    const char* name;
    std::size_t at;  // where to change the built metafile; the size when cut is set
    std::uint32_t value;
    bool cut;
};

class MetafileRejectTest : public ::testing::TestWithParam<BadBytes> {};

TEST_P(MetafileRejectTest, NotValid) {
    std::vector<std::uint8_t> bytes = BlackFrame();
    const BadBytes c = GetParam();
    if (c.cut) {
        bytes.resize(c.at);
        if (bytes.size() >= 52) EmfBuilder::Set(bytes, 48, std::uint32_t(bytes.size()));
    } else {
        EmfBuilder::Set(bytes, c.at == SIZE_MAX ? bytes.size() - 16 : c.at, c.value);
    }
    TMetafile metafile;
    try {
        emftest::Load(metafile, bytes);
        FAIL() << "loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Metafile is not valid");
    }
    EXPECT_FALSE(metafile.Handle());
}

INSTANTIATE_TEST_SUITE_P(Metafile, MetafileRejectTest,
                         ::testing::Values(BadBytes{"ExactlyHundredBytes", 100, 0, true},
                                           BadBytes{"RecordSizeBelowEight", 104, 4,
                                                    false},  // the size of the first record after the header
                                           BadBytes{"RecordSizeNotFourAligned", 104, 14, false},
                                           BadBytes{"RecordRunsPastTheEnd", 104, 4000, false},
                                           BadBytes{"EndRecordRunsPastTheEnd", SIZE_MAX, 400, false},
                                           BadBytes{"HeaderShorterThanItsFields", 4, 40, false},
                                           BadBytes{"TotalBelowHeader", 48, 60, false}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(MetafileTest, CutShortIsAReadError) {
    std::vector<std::uint8_t> bytes = BlackFrame();
    bytes.resize(bytes.size() - 8);  // nBytes still names the whole file
    TMetafile metafile;
    EXPECT_THROW(emftest::Load(metafile, bytes), EReadError);
}

TEST(MetafileTest, PlaceableWithBadChecksumIsNotValid) {
    std::vector<std::uint8_t> bytes;
    bitmaptest::Put32(bytes, 0x9AC6CDD7);
    for (std::uint16_t word : {0, 0, 0, 1440, 960, 1440, 0, 0}) bitmaptest::Put16(bytes, word);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2) checksum ^= std::uint16_t(bytes[i] | (bytes[i + 1] << 8));
    bitmaptest::Put16(bytes, checksum ^ 1);
    bytes.resize(200, 0);
    TMetafile metafile;
    EXPECT_THROW(emftest::Load(metafile, bytes), EInvalidGraphic);
}

TEST(MetafileTest, EnhancedContentUnderWmfNameLoads) {
    testdata::TempDir dir;
    const std::string path = dir.File("picture.wmf");
    const auto bytes = BlackFrame();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    TPicture picture;
    picture.ReadFromFile(path);
    auto* metafile = dynamic_cast<TMetafile*>(picture.CurrentGraphic());
    ASSERT_NE(metafile, nullptr);
    EXPECT_TRUE(metafile->Enhanced());
    EXPECT_EQ(picture.ImageWidth(), 100);
}

TEST(MetafileTest, SavesTheBytesItRead) {
    TMetafile metafile;
    const auto bytes = BlackFrame();
    emftest::Load(metafile, bytes);
    TMemoryStream written;
    metafile.SaveToStream(written);
    EXPECT_EQ(bitmaptest::BytesOf(written), bytes);
}

TEST(MetafileTest, PersistedBlockRoundTrips) {
    TMetafile metafile, back;
    emftest::Load(metafile, BlackFrame());
    TMemoryStream block;
    metafile.WritePersisted(block);
    EXPECT_EQ(block.Size(), std::int64_t(BlackFrame().size()) + 4);
    EXPECT_EQ(block.Position(), block.Size());
    block.SetPosition(0);
    back.ReadPersisted(block);
    EXPECT_TRUE(back.SameContent(metafile));
}

TEST(MetafileTest, PersistedCountOfFourEmpties) {
    TMetafile metafile;
    emftest::Load(metafile, BlackFrame());
    TMemoryStream block;
    block.WriteUInt32(4);
    block.SetPosition(0);
    metafile.ReadPersisted(block);
    EXPECT_FALSE(metafile.Handle());
    EXPECT_EQ(metafile.ImageWidth(), 0);
}

TEST(MetafileTest, WmfNameWritesPlaceableAtInch96AndKeepsTheForm) {
    testdata::TempDir dir;
    TMetafile metafile;
    emftest::Load(metafile, BlackFrame());
    metafile.WriteToFile(dir.File("out.WMF"));
    EXPECT_TRUE(metafile.Enhanced());
    TMemoryStream written;
    {
        TFileStream file(dir.File("out.WMF"), TFileStream::fmOpenRead);
        written.LoadFromStream(file);
    }
    const auto bytes = bitmaptest::BytesOf(written);
    ASSERT_GT(bytes.size(), 22u);
    EXPECT_EQ(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t(bytes[3]) << 24), 0x9AC6CDD7u);
    EXPECT_EQ(bytes[14] | (bytes[15] << 8), 96);
    EXPECT_EQ(bytes[10] | (bytes[11] << 8), MulDiv(metafile.FrameWidth(), 96, 2540));
    TMetafile back;
    back.ReadFromFile(dir.File("out.WMF"));
    EXPECT_FALSE(back.Enhanced());
    EXPECT_EQ(back.Inch(), 96);
}

TEST(MetafileTest, FailedWriteRestoresTheForm) {
    testdata::TempDir dir;
    TMetafile metafile;
    emftest::Load(metafile, BlackFrame());
    EXPECT_THROW(metafile.WriteToFile(dir.File("missing/out.wmf")), EFCreateError);
    EXPECT_TRUE(metafile.Enhanced());
    metafile.WriteToFile(dir.File("out.emf"));
    TMetafile back;
    back.ReadFromFile(dir.File("out.emf"));
    EXPECT_TRUE(back.SameContent(metafile));
}

}  // namespace
