// The image object: defaults, states, sharing of the data, persistence, setters, registration.

#include <gtest/gtest.h>

#include <algorithm>

#include "JpegTestSupport.h"
#include "app/conversion/PictureFormats.h"
#include "graphics/Picture.h"
#include "graphics/Streams.h"
#include "jpeg/JpegFormat.h"
#include "platform/Gdi.h"
#include "support/TestData.h"

using namespace jpegtest;

namespace {

Bytes StreamBytes(TMemoryStream& stream) { return Bytes(stream.Memory(), stream.Memory() + stream.Size()); }

TEST(JpegImage, NewImageIsEmptyWithTheDefaults) {
    TJPEGImage image;
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.ImageWidth(), 0);
    EXPECT_EQ(image.ImageHeight(), 0);
    EXPECT_EQ(image.JpegQuality, 90);
    EXPECT_TRUE(image.BlockSmoothing());
    EXPECT_FALSE(image.GrayOutput());
    EXPECT_FALSE(image.WriteProgressive);
    EXPECT_FALSE(image.IncrementalDisplay());
    EXPECT_EQ(image.DecodeSpeed(), TJpegSpeed::FavourQuality);
    EXPECT_EQ(image.DecodeScale(), TJpegScale::ScaleFull);
    EXPECT_EQ(image.DecodeDepth(), JpegDefaults.DecodeDepth);
    EXPECT_EQ(image.HeldBitmap(), nullptr);
    EXPECT_EQ(image.DataObject().RefCount(), 1);
    EXPECT_EQ(image.DataObject().ByteStream, nullptr);
}

TEST(JpegImage, CreatedThroughItsClassRecord) {
    auto graphic = TGraphic::CreateEmpty(&TJPEGImage::Class);
    EXPECT_STREQ(graphic->ClassName(), "TJPEGImage");
    EXPECT_TRUE(graphic->IsEmpty());
}

TEST(JpegImage, LoadReadsTheSizeFromTheHeaderWithoutDecoding) {
    auto image = Load(EncodePattern(33, 17));
    EXPECT_EQ(image->ImageWidth(), 33);
    EXPECT_EQ(image->ImageHeight(), 17);
    EXPECT_EQ(image->HeldBitmap(), nullptr);
    EXPECT_FALSE(image->IsEmpty());
}

TEST(JpegImage, LoadFromTheMiddleOfAStreamReadsOnlyTheRest) {
    const Bytes file = EncodePattern(10, 10);
    TMemoryStream stream;
    const Bytes junk = {1, 2, 3, 4, 5};
    stream.WriteBuffer(junk.data(), 5);
    stream.WriteBuffer(file.data(), std::int64_t(file.size()));
    stream.SetPosition(5);
    TJPEGImage image;
    image.LoadFromStream(stream);
    EXPECT_EQ(image.DataObject().ByteStream->Size(), std::int64_t(file.size()));
    EXPECT_EQ(image.ImageWidth(), 10);
    EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(JpegImage, LoadAtTheEndOfAStreamHoldsZeroBytes) {
    TMemoryStream stream;
    TJPEGImage image;
    int changes = 0;
    image.OnChange = [&](TObject*) { ++changes; };
    image.LoadFromStream(stream);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(image.IsEmpty());
    EXPECT_EQ(image.ImageWidth(), 0);
    EXPECT_EQ(image.ImageHeight(), 0);
    EXPECT_EQ(FailureMessage<EJPEG>([&] { image.Decode(); }), "JPEG error #42");
}

TEST(JpegImage, DecodingAnEmptyImageFailsLikeZeroBytes) {
    TJPEGImage image;
    EXPECT_EQ(FailureMessage<EJPEG>([&] { image.Decode(); }), "JPEG error #42");
    EXPECT_TRUE(image.IsEmpty());
}

TEST(JpegImage, CopiesShareOneDataObject) {
    auto first = Load(EncodePattern(12, 12));
    auto second = std::make_unique<TJPEGImage>();
    second->CopyFrom(first.get());
    EXPECT_EQ(&first->DataObject(), &second->DataObject());
    EXPECT_EQ(first->DataObject().RefCount(), 2);
    EXPECT_TRUE(first->SameContent(*second));
    EXPECT_TRUE(second->SameContent(*first));
    const Bytes bytes = StreamBytes(*first->DataObject().ByteStream);
    first.reset();
    EXPECT_EQ(second->DataObject().RefCount(), 1);
    EXPECT_EQ(StreamBytes(*second->DataObject().ByteStream), bytes);
    EXPECT_EQ(second->ImageWidth(), 12);
}

TEST(JpegImage, CopyingItselfKeepsItsData) {
    auto image = Load(EncodePattern(12, 12));
    image->CopyFrom(image.get());
    EXPECT_EQ(image->DataObject().RefCount(), 1);
    EXPECT_EQ(image->ImageWidth(), 12);
}

TEST(JpegImage, CopyTakesTheSourceBitmapButNotItsSettings) {
    auto source = Load(EncodePattern(12, 12));
    source->SetDecodeDepth(TJpegDepth::Depth8);
    source->Decode();
    TJPEGImage copy;
    copy.CopyFrom(source.get());
    ASSERT_NE(copy.HeldBitmap(), nullptr);
    EXPECT_NE(copy.HeldBitmap(), source->HeldBitmap());
    EXPECT_EQ(copy.HeldBitmap()->CurrentDepth(), TPixelDepth::Bits8);
    EXPECT_EQ(copy.DecodeDepth(), JpegDefaults.DecodeDepth);
}

TEST(JpegImage, CopyOfBytesWithoutBitmapDropsTheOldPicture) {
    auto bitmap = MakeBitmap(5, 5, Pattern);
    TJPEGImage image;
    image.CopyFrom(bitmap.get());
    auto source = Load(EncodePattern(12, 12));
    image.CopyFrom(source.get());
    EXPECT_EQ(image.HeldBitmap(), nullptr);
    EXPECT_EQ(image.ImageWidth(), 12);
    EXPECT_EQ(image.Decode()->ImageWidth(), 12);
}

TEST(JpegImage, CopyOfABitmapDropsTheBytesAndSharesThePixels) {
    auto image = Load(EncodePattern(12, 12));
    TJPEGData* old = const_cast<TJPEGData*>(&image->DataObject());
    auto bitmap = MakeBitmap(7, 3, Pattern);
    int changes = 0;
    image->OnChange = [&](TObject*) { ++changes; };
    image->CopyFrom(bitmap.get());
    EXPECT_NE(&image->DataObject(), old);
    EXPECT_EQ(image->DataObject().ByteStream, nullptr);
    EXPECT_EQ(image->ImageWidth(), 7);
    EXPECT_EQ(image->ImageHeight(), 3);
    EXPECT_EQ(image->HeldBitmap()->CurrentDepth(), TPixelDepth::Bits24);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(image->IsEmpty());
}

TEST(JpegImage, CopyFromAnotherGraphicClassFails) {
    TJPEGImage image;
    TPicture picture;
    EXPECT_THROW(image.CopyFrom(&picture), EConvertError);
}

TEST(JpegImage, CopyToAnythingButABitmapFails) {
    auto image = Load(EncodePattern(4, 4));
    TPicture picture;
    EXPECT_EQ(FailureMessage<EConvertError>([&] { image->CopyTo(&picture); }),
              "Cannot assign a TJPEGImage to a TPicture");
}

TEST(JpegImage, EmptyBitmapLeavesTheImageEmpty) {
    TBitmap empty;
    TJPEGImage image;
    image.CopyFrom(&empty);
    EXPECT_TRUE(image.IsEmpty());
}

class Resize : public ::testing::TestWithParam<bool> {};

TEST_P(Resize, AlwaysFailsAndChangesNothing) {
    auto image = Load(EncodePattern(6, 4));
    const auto resize = [&] { GetParam() ? image->ResizeWidth(3) : image->ResizeHeight(3); };
    EXPECT_EQ(FailureMessage<EInvalidGraphicOperation>(resize), "Cannot change the size of a JPEG image");
    EXPECT_EQ(image->ImageWidth(), 6);
    EXPECT_EQ(image->ImageHeight(), 4);
}

INSTANTIATE_TEST_SUITE_P(WidthOrHeight, Resize, ::testing::Bool());

TEST(JpegImage, PersistedBlockIsCountAndBytes) {
    const Bytes file = EncodePattern(9, 9);
    auto image = Load(file);
    TMemoryStream block;
    image->WritePersisted(block);
    ASSERT_EQ(block.Size(), std::int64_t(file.size() + 4));
    const std::uint32_t count =
        block.Memory()[0] | block.Memory()[1] << 8 | block.Memory()[2] << 16 | std::uint32_t(block.Memory()[3]) << 24;
    EXPECT_EQ(count, file.size());
    EXPECT_EQ(Bytes(block.Memory() + 4, block.Memory() + block.Size()), file);
    block.SetPosition(0);
    TJPEGImage copy;
    copy.ReadPersisted(block);
    EXPECT_EQ(copy.ImageWidth(), 9);
    EXPECT_TRUE(copy.SameContent(*image));
}

TEST(JpegImage, PersistedBlockOfABitmapOnlyImageIsAZeroCount) {
    auto bitmap = MakeBitmap(4, 4, Pattern);
    TJPEGImage image;
    image.CopyFrom(bitmap.get());
    TMemoryStream block;
    image.WritePersisted(block);
    EXPECT_EQ(StreamBytes(block), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(image.DataObject().ByteStream, nullptr) << "writing the block does not encode";
}

struct DamagedBlock {
    const char* name;
    Bytes block;
};

class DamagedPersistedBlock : public ::testing::TestWithParam<DamagedBlock> {};

TEST_P(DamagedPersistedBlock, FailsAsAStreamReadError) {
    TMemoryStream stream;
    stream.WriteBuffer(GetParam().block.data(), std::int64_t(GetParam().block.size()));
    stream.SetPosition(0);
    TJPEGImage image;
    EXPECT_EQ(FailureMessage<EReadError>([&] { image.ReadPersisted(stream); }), "Stream read error");
    EXPECT_TRUE(image.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, DamagedPersistedBlock,
    ::testing::Values(DamagedBlock{"CountBeyondData", {0x10, 0, 0, 0, 0xFF, 0xD8}},         // 16 announced, 2 there
                      DamagedBlock{"HugeCount", {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xD8}},      // 2 GiB announced
                      DamagedBlock{"NegativeCount", {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xD8}},  // -2
                      DamagedBlock{"ShortCount", {0x01, 0x00}}),                            // count cut off
    [](const auto& test) { return std::string(test.param.name); });

TEST(JpegImage, SameContentNeedsAJpegImage) {
    auto image = Load(EncodePattern(4, 4));
    auto bitmap = MakeBitmap(4, 4, Pattern);
    EXPECT_FALSE(image->SameContent(*bitmap));
}

TEST(JpegImage, SameContentComparesBytes) {
    auto a = Load(EncodePattern(4, 4));
    auto b = Load(EncodePattern(4, 4));
    auto c = Load(EncodePattern(4, 4, {.quality = 20}));
    EXPECT_TRUE(a->SameContent(*b));
    EXPECT_FALSE(a->SameContent(*c));
}

TEST(JpegImage, SameContentWithoutBytesNeedsTheSameDataObject) {
    auto bitmap = MakeBitmap(4, 4, Pattern);
    TJPEGImage a, b;
    a.CopyFrom(bitmap.get());
    b.CopyFrom(bitmap.get());
    EXPECT_FALSE(a.SameContent(b));
    TJPEGImage c;
    c.CopyFrom(&a);
    EXPECT_TRUE(c.SameContent(a));
}

TEST(JpegImage, GrayOutputSetterDropsTheBitmapOnlyOnChange) {
    auto bitmap = MakeBitmap(4, 4, Pattern);
    TJPEGImage image;
    image.CopyFrom(bitmap.get());
    int changes = 0;
    image.OnChange = [&](TObject*) { ++changes; };
    image.SetGrayOutput(false);
    EXPECT_NE(image.HeldBitmap(), nullptr);
    EXPECT_EQ(changes, 0);
    image.SetGrayOutput(true);
    EXPECT_EQ(image.HeldBitmap(), nullptr);
    EXPECT_TRUE(image.PaletteModified());
    EXPECT_EQ(changes, 1);
}

TEST(JpegImage, DecodingSettingsKeepABitmapThatCannotBeMadeAgain) {
    auto bitmap = MakeBitmap(4, 4, Pattern);
    TJPEGImage image;
    image.CopyFrom(bitmap.get());
    image.SetDecodeDepth(TJpegDepth::Depth8);
    image.SetDecodeScale(TJpegScale::ScaleHalf);
    EXPECT_NE(image.HeldBitmap(), nullptr);
    auto loaded = Load(EncodePattern(4, 4));
    loaded->Decode();
    loaded->SetDecodeDepth(TJpegDepth::Depth8);
    EXPECT_EQ(loaded->HeldBitmap(), nullptr);
}

TEST(JpegImage, EncodeTwiceGivesFreshDataAndLeavesSharersTheOld) {
    auto bitmap = MakeBitmap(16, 16, Pattern);
    TJPEGImage image;
    image.CopyFrom(bitmap.get());
    image.Encode();
    const Bytes first = StreamBytes(*image.DataObject().ByteStream);
    TJPEGImage sharer;
    sharer.CopyFrom(&image);
    image.JpegQuality = 30;
    image.Encode();
    EXPECT_NE(&image.DataObject(), &sharer.DataObject());
    EXPECT_EQ(StreamBytes(*sharer.DataObject().ByteStream), first);
    EXPECT_NE(StreamBytes(*image.DataObject().ByteStream), first);
    EXPECT_NE(image.HeldBitmap(), nullptr);
}

TEST(JpegImage, SaveTwiceWritesTheSameBytesTwice) {
    auto bitmap = MakeBitmap(16, 16, Pattern);
    TJPEGImage image;
    image.CopyFrom(bitmap.get());
    TMemoryStream out;
    image.SaveToStream(out);
    const TJPEGData* data = &image.DataObject();
    const std::int64_t once = out.Size();
    image.JpegQuality = 10;  // not used without a new Encode
    image.SaveToStream(out);
    EXPECT_EQ(&image.DataObject(), data);
    ASSERT_EQ(out.Size(), 2 * once);
    EXPECT_TRUE(std::equal(out.Memory(), out.Memory() + once, out.Memory() + once));
}

TEST(JpegImage, EncodingNothingGivesZeroBytes) {
    TJPEGImage image;
    TMemoryStream out;
    image.SaveToStream(out);
    EXPECT_EQ(out.Size(), 0);
    ASSERT_NE(image.DataObject().ByteStream, nullptr);
    EXPECT_FALSE(image.IsEmpty());
}

TEST(JpegImage, EncodingKeepsTheHeldBitmapFormat) {
    TBitmap bitmap;
    bitmap.ResizeWidth(10);
    bitmap.ResizeHeight(6);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillArea(TRect{0, 0, 10, 6});
    TJPEGImage image;
    image.CopyFrom(&bitmap);
    image.Encode();
    EXPECT_EQ(image.HeldBitmap()->CurrentDepth(), TPixelDepth::Device);
    auto reloaded = Load(StreamBytes(*image.DataObject().ByteStream));
    const Rgb red = PixelOf(*reloaded->Decode(), 5, 3);
    EXPECT_GE(red.r, 250);
    EXPECT_LE(red.b, 5);
}

// A stream that takes only half of what it is given.
class HalfStream : public TMemoryStream {
public:
    std::int64_t Write(const void* buffer, std::int64_t count) override {
        return TMemoryStream::Write(buffer, count / 2);
    }
};

TEST(JpegImage, SaveToAStreamThatTakesTooLittleFails) {
    auto image = Load(EncodePattern(8, 8));
    HalfStream out;
    EXPECT_THROW(image->SaveToStream(out), EWriteError);
}

TEST(JpegImage, WideBitmapFailsWithTooBig) {
    TBitmap bitmap;
    bitmap.ChangeDepth(TPixelDepth::Bits24);
    bitmap.ResizeWidth(65501);
    bitmap.ResizeHeight(2);
    TJPEGImage image;
    image.CopyFrom(&bitmap);
    EXPECT_EQ(FailureMessage<EJPEG>([&] { image.Encode(); }), "JPEG error #41");
}

// Registration is process-wide: each test leaves it as it found it.
class JpegRegistration : public ::testing::Test {
protected:
    void TearDown() override { RegisterPictureFormats(); }
    static int Count(const std::string& extension) {
        int n = 0;
        for (const TFileFormat& f : FormatRegistry::Instance().Entries())
            if (f.extension == extension && f.graphicClass == &TJPEGImage::Class) ++n;
        return n;
    }
};

TEST_F(JpegRegistration, RegistersJpegThenJpgOnce) {
    RegisterPictureFormats();
    RegisterPictureFormats();
    EXPECT_EQ(Count("jpeg"), 1);
    EXPECT_EQ(Count("jpg"), 1);
    const auto& entries = FormatRegistry::Instance().Entries();
    const auto jpeg = std::find_if(entries.begin(), entries.end(), [](auto& e) { return e.extension == "jpeg"; });
    ASSERT_NE(jpeg, entries.end());
    ASSERT_NE(jpeg + 1, entries.end());
    EXPECT_EQ(jpeg[1].extension, "jpg");
    EXPECT_EQ(jpeg[1].description, "JPEG Image File");
    EXPECT_EQ(FormatRegistry::Instance().FindByExtension("JPG"), &TJPEGImage::Class);
}

TEST_F(JpegRegistration, UnregisterRemovesBoth) {
    RegisterPictureFormats();
    UnregisterPictureFormats();
    UnregisterPictureFormats();
    EXPECT_EQ(Count("jpeg"), 0);
    EXPECT_EQ(Count("jpg"), 0);
}

TEST_F(JpegRegistration, PaletteDisplayMakesDepth8TheDefault) {
    const platform::DisplaySettings saved = platform::Display();
    platform::Display().bitsPerPixel = 8;
    StartJpegModule();
    EXPECT_EQ(JpegDefaults.DecodeDepth, TJpegDepth::Depth8);
    EXPECT_EQ(TJPEGImage().DecodeDepth(), TJpegDepth::Depth8);
    platform::Display() = saved;
    StartJpegModule();
    EXPECT_EQ(JpegDefaults.DecodeDepth, TJpegDepth::Depth24);
}

TEST_F(JpegRegistration, PictureOpensJpegFilesByExtension) {
    RegisterPictureFormats();
    testdata::TempDir temp;
    WriteFile(temp.File("car.JPG"), EncodePattern(21, 13));
    TPicture picture;
    picture.ReadFromFile(temp.File("car.JPG"));
    ASSERT_NE(picture.CurrentGraphic(), nullptr);
    EXPECT_STREQ(picture.CurrentGraphic()->ClassName(), "TJPEGImage");
    EXPECT_EQ(picture.ImageWidth(), 21);
    EXPECT_EQ(picture.ImageHeight(), 13);
}

}  // namespace

namespace {

TEST(JpegClipboard, WritesTheDecodedPictureAndReadsItBack) {
    auto image = Load(EncodePattern(14, 9));
    std::uint16_t format = 0;
    TClipboardData data;
    HPALETTE palette;
    image->WriteToClipboard(format, data, palette);
    EXPECT_EQ(format, 2);
    ASSERT_NE(data, nullptr);
    TJPEGImage other;
    other.ReadFromClipboard(format, data, palette);
    EXPECT_EQ(other.DataObject().ByteStream, nullptr);
    EXPECT_EQ(other.ImageWidth(), 14);
    EXPECT_EQ(other.ImageHeight(), 9);
}

TEST(JpegClipboard, RefusedFormatLeavesTheImageAlone) {
    auto image = Load(EncodePattern(14, 9));
    const TJPEGData* data = &image->DataObject();
    EXPECT_EQ(FailureMessage<EInvalidGraphic>([&] { image->ReadFromClipboard(3, nullptr, nullptr); }),
              "Unsupported clipboard format");
    EXPECT_EQ(&image->DataObject(), data);
    EXPECT_EQ(image->ImageWidth(), 14);
}

struct DepthCase {
    const char* name;
    TPixelDepth depth;
    TColor colour;
    Rgb expected;
};

class EncodeAnyDepth : public ::testing::TestWithParam<DepthCase> {};

// Each depth is given a colour it holds exactly; the file must carry that colour.
TEST_P(EncodeAnyDepth, ConvertsAPrivateCopyAndKeepsTheHeldFormat) {
    const DepthCase& c = GetParam();
    TBitmap bitmap;
    if (c.depth != TPixelDepth::Device) bitmap.ChangeDepth(c.depth);
    bitmap.ResizeWidth(16);
    bitmap.ResizeHeight(16);
    bitmap.Canvas().Brush().SetColor(c.colour);
    bitmap.Canvas().FillArea(TRect{0, 0, 16, 16});
    TJPEGImage image;
    image.CopyFrom(&bitmap);
    image.Encode();
    EXPECT_EQ(image.HeldBitmap()->CurrentDepth(), c.depth);
    auto reloaded = Load(StreamBytes(*image.DataObject().ByteStream));
    const Rgb pixel = PixelOf(*reloaded->Decode(), 8, 8);
    EXPECT_NEAR(pixel.r, c.expected.r, 8);
    EXPECT_NEAR(pixel.g, c.expected.g, 8);
    EXPECT_NEAR(pixel.b, c.expected.b, 8);
}

INSTANTIATE_TEST_SUITE_P(Depths, EncodeAnyDepth,
                         ::testing::Values(DepthCase{"Device", TPixelDepth::Device, clRed, {255, 0, 0}},
                                           DepthCase{"Bits1", TPixelDepth::Bits1, clBlack, {0, 0, 0}},
                                           DepthCase{"Bits4", TPixelDepth::Bits4, clRed, {255, 0, 0}},
                                           DepthCase{"Bits8", TPixelDepth::Bits8, clRed, {255, 0, 0}},
                                           DepthCase{"Bits15", TPixelDepth::Bits15, clBlue, {0, 0, 255}},
                                           DepthCase{"Bits16", TPixelDepth::Bits16, clBlue, {0, 0, 255}},
                                           DepthCase{"Bits24", TPixelDepth::Bits24, clRed, {255, 0, 0}},
                                           DepthCase{"Bits32", TPixelDepth::Bits32, clRed, {255, 0, 0}}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
