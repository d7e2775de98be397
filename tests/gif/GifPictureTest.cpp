// A GIF through the picture container: found by its extension, drawn into a canvas, made into a
// bitmap, and a failed read that keeps what the picture held.

#include <gtest/gtest.h>

#include <filesystem>

#include "GifTestSupport.h"
#include "app/conversion/PictureFormats.h"
#include "graphics/Bitmap.h"
#include "graphics/Picture.h"
#include "support/TestData.h"

using namespace giftest;

namespace {

class GifPicture : public testing::Test {
protected:
    void SetUp() override { RegisterPictureFormats(); }
    void TearDown() override { UnregisterPictureFormats(); }
};

// A 4 x 4 screen (white background map) holding a 2 x 2 frame at (1, 1): index 1 black,
// index 2 (transparent) and index 3 red in its top and bottom rows.
Bytes FramedGif() {
    GifBuilder b;
    b.Raw({'G', 'I', 'F', '8', '9', 'a', 4, 0, 4, 0, 0x81, 0, 0});
    b.Raw({255, 255, 255, 0, 0, 0, 9, 9, 9, 255, 0, 0});
    return b.GraphicControl(0, 0, 2).Descriptor(1, 1, 2, 2).Codes(2, {4, 1, 2, 3, 3, 5}).Trailer().Get();
}

TColor PixelOf(TBitmap& bitmap, int x, int y) { return bitmap.Canvas().PixelAt(x, y) & 0xFFFFFF; }

}  // namespace

TEST_F(GifPicture, RegisteredAfterTheBuiltInsAndBeforeJpeg) {
    const auto& entries = FormatRegistry::Instance().Entries();
    std::vector<std::string> order;
    for (const TFileFormat& entry : entries) order.push_back(entry.extension);
    const auto gif = std::find(order.begin(), order.end(), "gif");
    ASSERT_NE(gif, order.end());
    EXPECT_LT(gif - order.begin(), std::find(order.begin(), order.end(), "jpeg") - order.begin());
    EXPECT_GT(gif - order.begin(), std::find(order.begin(), order.end(), "bmp") - order.begin());
    EXPECT_EQ(FormatRegistry::Instance().FindByExtension("GiF"), &TGIFImage::Class);
}

TEST_F(GifPicture, ReadsByExtensionAndKeepsItsGraphicWhenReadingFails) {
    testdata::TempDir dir;
    WriteFile(dir.File("good.Gif"), FramedGif());
    Bytes bad = FramedGif();
    bad.resize(20);
    WriteFile(dir.File("bad.gif"), bad);
    TPicture picture;
    picture.ReadFromFile(dir.File("good.Gif"));
    TGraphic* held = picture.CurrentGraphic();
    ASSERT_NE(dynamic_cast<TGIFImage*>(held), nullptr);
    EXPECT_EQ(picture.ImageWidth(), 4);
    EXPECT_EQ(picture.ImageHeight(), 4);
    EXPECT_THROW(picture.ReadFromFile(dir.File("bad.gif")), EInvalidGraphic);
    EXPECT_EQ(picture.CurrentGraphic(), held);
}

// Drawn at twice its size, the frame covers (2, 2)-(6, 6); its transparent pixels and the rest
// of the rectangle keep what the canvas held.
TEST_F(GifPicture, DrawsTheFirstFrameInItsShareThroughItsTransparency) {
    Loaded loaded = Load(FramedGif());
    TBitmap target;
    target.ResizeWidth(8);
    target.ResizeHeight(8);
    target.Canvas().StretchDrawGraphic({0, 0, 8, 8}, loaded.image.get());
    EXPECT_EQ(PixelOf(target, 1, 1), clWhite);
    EXPECT_EQ(PixelOf(target, 2, 2), clBlack);
    EXPECT_EQ(PixelOf(target, 5, 2), clWhite);  // transparent
    EXPECT_EQ(PixelOf(target, 3, 5), clRed);
    EXPECT_EQ(PixelOf(target, 6, 6), clWhite);
}

TEST_F(GifPicture, BecomesABitmapOfTheScreen) {
    Loaded loaded = Load(FramedGif());
    TBitmap bitmap;
    bitmap.CopyFrom(loaded.image.get());
    EXPECT_EQ(bitmap.ImageWidth(), 4);
    EXPECT_EQ(bitmap.ImageHeight(), 4);
    EXPECT_EQ(PixelOf(bitmap, 1, 1), clBlack);
    EXPECT_EQ(PixelOf(bitmap, 2, 2), clRed);
}

// A bitmap saved to a ".gif" path is reduced by the default web colours and written as a GIF;
// a save that fails leaves the file that was there.
TEST_F(GifPicture, SavesToAGifPathAndKeepsTheOldFileOnFailure) {
    testdata::TempDir dir;
    TBitmap bitmap;
    bitmap.ChangeDepth(TPixelDepth::Bits24);
    bitmap.ResizeWidth(30);
    bitmap.ResizeHeight(20);
    bitmap.Canvas().Brush().SetColor(0x0000FF);
    bitmap.Canvas().FillArea({0, 0, 30, 20});
    TPicture picture;
    picture.ReplaceGraphic(&bitmap);
    picture.SaveToFile(dir.File("red.GIF"));
    const Bytes written = ReadFile(dir.File("red.GIF"));
    const std::optional<RefGif> ref = GiflibRead(written);
    ASSERT_TRUE(ref);
    EXPECT_EQ(ref->width, 30);
    EXPECT_EQ(ref->height, 20);
    Loaded loaded = Load(written);
    TGIFSubImage& frame = *loaded.image->Images().Frame(0);
    EXPECT_EQ(frame.ActiveColorMap().ColorAt(frame.IndexAt(29, 19)), TColor(0x0000FF));

    TGIFImage empty;
    picture.ReplaceGraphic(&empty);
    EXPECT_THROW(picture.SaveToFile(dir.File("red.GIF")), GIFException);
    EXPECT_EQ(ReadFile(dir.File("red.GIF")), written);
}

// Read from a file, later frames keep parts of the image's one copy of the file instead of
// copies of their own; once the file is closed they decode exactly as frames read from memory.
TEST_F(GifPicture, LaterFramesOfAFileDecodeAsThoseReadFromMemory) {
    REQUIRE_TESTDATA(root);
    int animated = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root / "gif-test-suite" / "gifs")) {
        if (entry.path().extension() != ".gif") continue;
        TPicture picture;
        try {
            picture.ReadFromFile(entry.path().string());
        } catch (const EInvalidGraphic&) {
            continue;
        }
        auto& fromFile = dynamic_cast<TGIFImage&>(*picture.CurrentGraphic());
        animated += fromFile.Images().Count() > 1;
        const RefGif expected = Describe(*Load(ReadFile(entry.path())).image);
        const RefGif got = Describe(fromFile);
        ASSERT_EQ(got.frames.size(), expected.frames.size()) << entry.path();
        for (std::size_t i = 0; i < got.frames.size(); ++i)
            EXPECT_EQ(got.frames[i].indices, expected.frames[i].indices) << entry.path() << " frame " << i;
    }
    EXPECT_GT(animated, 0);
}

// Later frames' data stays in the file and is read again when they are decoded, through the
// file as it was opened: a file removed since still gives them, and one cut short since gives
// what is left (the rest keeps the fill index) without failing.
TEST_F(GifPicture, LaterFramesAreReadAgainFromTheFileTheyCameFrom) {
    GifBuilder first;
    first.Header(2, 2, 2).Descriptor(0, 0, 2, 2).Codes(2, {4, 1, 1, 1, 1, 5});
    const std::size_t firstEnds = first.Get().size();
    const Bytes bytes = first.Descriptor(0, 0, 2, 2).Codes(2, {4, 3, 2, 1, 0, 5}).Trailer().Get();
    testdata::TempDir dir;
    WriteFile(dir.File("removed.gif"), bytes);
    WriteFile(dir.File("cut.gif"), bytes);
    TPicture removed, cut;
    removed.ReadFromFile(dir.File("removed.gif"));
    cut.ReadFromFile(dir.File("cut.gif"));
    std::filesystem::remove(dir.File("removed.gif"));
    std::filesystem::resize_file(dir.File("cut.gif"), firstEnds);
    const auto laterFrame = [](TPicture& picture) {
        TGIFSubImage& frame = *dynamic_cast<TGIFImage&>(*picture.CurrentGraphic()).Images().Frame(1);
        EXPECT_TRUE(frame.PixelsPending());
        return Bytes(frame.PixelBuffer(), frame.PixelBuffer() + frame.PixelCount());
    };
    EXPECT_EQ(laterFrame(removed), (Bytes{3, 2, 1, 0}));
    EXPECT_EQ(laterFrame(cut), (Bytes{0, 0, 0, 0}));
}
