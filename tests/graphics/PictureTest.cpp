// TPicture, the format registry and the graphic base, driven through a small test graphic.

#include <gtest/gtest.h>

#include <fstream>

#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/Picture.h"
#include "graphics/Streams.h"
#include "support/TestData.h"

namespace {

// A graphic whose file is "FAKE" followed by a width and a height byte.
class TFakeGraphic : public TGraphic {
    OBRAZOR_CLASS_RECORD
public:
    static int liveCount;
    TFakeGraphic() { ++liveCount; }
    ~TFakeGraphic() override { --liveCount; }
    void DrawInto(TCanvas&, const TRect&) override { ++drawCount; }
    bool IsEmpty() override { return width == 0 && height == 0; }
    std::int32_t ImageHeight() override { return height; }
    std::int32_t ImageWidth() override { return width; }
    void ResizeHeight(std::int32_t value) override {
        height = value;
        NotifyChanged(this);
    }
    void ResizeWidth(std::int32_t value) override {
        width = value;
        NotifyChanged(this);
    }
    void LoadFromStream(TStream& stream) override {
        char tag[4];
        stream.ReadBuffer(tag, 4);
        if (std::string(tag, 4) != "FAKE") throw EInvalidGraphic("Fake image is not valid");
        width = stream.ReadUInt8();
        height = stream.ReadUInt8();
        if (OnProgress) OnProgress(this, TProgressStage::psEnding, 100, false, TRect{}, "");
    }
    void SaveToStream(TStream& stream) override {
        stream.WriteBuffer("FAKE", 4);
        stream.WriteUInt8(std::uint8_t(width));
        stream.WriteUInt8(std::uint8_t(height));
    }
    void CopyFrom(TPersistent* source) override {
        if (source && source->InheritsFrom(TFakeGraphic::Class)) {
            auto* other = static_cast<TFakeGraphic*>(source);
            width = other->width;
            height = other->height;
            NotifyChanged(this);
            return;
        }
        TGraphic::CopyFrom(source);
    }
    void ReadFromClipboard(std::uint16_t, const TClipboardData&, HPALETTE) override {}
    void WriteToClipboard(std::uint16_t&, TClipboardData&, HPALETTE&) override {}

    std::int32_t width = 0, height = 0;
    int drawCount = 0;
};
int TFakeGraphic::liveCount = 0;
OBRAZOR_DEFINE_CLASS(TFakeGraphic, TGraphic);

// A second class for the same extension, registered later.
class TOtherFake : public TFakeGraphic {
    OBRAZOR_CLASS_RECORD
};
OBRAZOR_DEFINE_CLASS(TOtherFake, TFakeGraphic);

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        TPicture::RegisterExtension("FaKe", "Fake pictures", &TFakeGraphic::Class);
        picture.OnChange = [this](TObject* sender) {
            ++changes;
            lastSender = sender;
        };
    }
    void TearDown() override { TPicture::ForgetGraphicClass(&TFakeGraphic::Class); }
    std::string Fake(int w, int h) { return std::string("FAKE") + char(w) + char(h); }

    testdata::TempDir dir;
    TPicture picture;
    int changes = 0;
    TObject* lastSender = nullptr;
};

TEST_F(PictureTest, ReadsByExtensionWhateverItsCase) {
    for (const char* name : {"a.fake", "b.FAKE", "c.Fake"}) {
        WriteFile(dir.File(name), Fake(3, 4));
        picture.ReadFromFile(dir.File(name));
        ASSERT_NE(picture.CurrentGraphic(), nullptr);
        EXPECT_STREQ(picture.CurrentGraphic()->ClassName(), "TFakeGraphic");
        EXPECT_EQ(picture.ImageWidth(), 3);
        EXPECT_EQ(picture.ImageHeight(), 4);
    }
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(lastSender, &picture);
}

struct UnknownCase {
    const char* name;       // file created in the temporary folder (a sub path is made as a folder)
    const char* shownText;  // what fills the message's placeholder
};

class UnknownExtension : public PictureTest, public ::testing::WithParamInterface<UnknownCase> {};

TEST_P(UnknownExtension, RaisesInvalidGraphicAndKeepsThePicture) {
    WriteFile(dir.File("keep.fake"), Fake(7, 8));
    picture.ReadFromFile(dir.File("keep.fake"));
    changes = 0;
    std::filesystem::create_directories(dir.Path() / "Foto.dir");
    const std::string path = dir.File(GetParam().name);
    WriteFile(path, Fake(1, 1));
    try {
        picture.ReadFromFile(path);
        FAIL() << "no failure";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), std::string("Unknown picture file extension (.") + GetParam().shownText + ")");
    }
    EXPECT_EQ(picture.ImageWidth(), 7);
    EXPECT_EQ(changes, 0);
}

INSTANTIATE_TEST_SUITE_P(Paths, UnknownExtension,
                         ::testing::Values(UnknownCase{"auto.tif", "tif"}, UnknownCase{"auto.TIF", "TIF"},
                                           UnknownCase{"Foto.dir/auto", ""}, UnknownCase{"noext", ""}));

TEST_F(PictureTest, DamagedFileRaisesTheFormatsFailureAndKeepsThePicture) {
    WriteFile(dir.File("keep.fake"), Fake(7, 8));
    picture.ReadFromFile(dir.File("keep.fake"));
    TGraphic* before = picture.CurrentGraphic();
    changes = 0;
    const int live = TFakeGraphic::liveCount;
    WriteFile(dir.File("bad.fake"), "JUNK!!");
    EXPECT_THROW(picture.ReadFromFile(dir.File("bad.fake")), EInvalidGraphic);
    WriteFile(dir.File("short.fake"), "FA");
    EXPECT_THROW(picture.ReadFromFile(dir.File("short.fake")), EReadError);
    EXPECT_EQ(picture.CurrentGraphic(), before);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(TFakeGraphic::liveCount, live) << "the failed graphic is freed";
}

TEST_F(PictureTest, MissingFileRaisesOpenErrorWithFullPathAndReason) {
    const std::string path = dir.File("gone.fake");
    try {
        picture.ReadFromFile(path);
        FAIL() << "no failure";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + path + "\". No such file or directory");
    }
}

TEST_F(PictureTest, LaterRegistrationOfAnExtensionWins) {
    TPicture::RegisterExtension("FAKE", "Other fakes", &TOtherFake::Class);
    WriteFile(dir.File("a.fake"), Fake(1, 2));
    picture.ReadFromFile(dir.File("a.fake"));
    EXPECT_STREQ(picture.CurrentGraphic()->ClassName(), "TOtherFake");
    // Forgetting the base class removes the derived class's entries as well.
    TPicture::ForgetGraphicClass(&TFakeGraphic::Class);
    EXPECT_EQ(FormatRegistry::Instance().FindByExtension("fake"), nullptr);
}

TEST_F(PictureTest, EmptyPictureReportsZeroSize) {
    EXPECT_EQ(picture.ImageWidth(), 0);
    EXPECT_EQ(picture.ImageHeight(), 0);
    EXPECT_EQ(picture.CurrentGraphic(), nullptr);
}

TEST_F(PictureTest, GraphicChangesReachThePictureAndProgressIsForwarded) {
    int progress = 0;
    TObject* progressSender = nullptr;
    picture.OnProgress = [&](TObject* sender, TProgressStage, std::uint8_t, bool, const TRect&, const std::string&) {
        ++progress;
        progressSender = sender;
    };
    WriteFile(dir.File("a.fake"), Fake(1, 2));
    picture.ReadFromFile(dir.File("a.fake"));
    EXPECT_EQ(progress, 1);
    EXPECT_EQ(progressSender, picture.CurrentGraphic()) << "the sender stays the graphic that reported";
    changes = 0;
    picture.CurrentGraphic()->ResizeWidth(9);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(picture.CurrentGraphic()->Modified());
}

TEST_F(PictureTest, ReplaceGraphicCopiesAndTheCallerKeepsItsGraphic) {
    TFakeGraphic mine;
    mine.width = 5;
    mine.height = 6;
    picture.ReplaceGraphic(&mine);
    ASSERT_NE(picture.CurrentGraphic(), &mine);
    EXPECT_EQ(picture.ImageWidth(), 5);
    EXPECT_EQ(changes, 1);
    mine.width = 50;
    EXPECT_EQ(picture.ImageWidth(), 5);
    picture.ReplaceGraphic(nullptr);
    EXPECT_EQ(picture.CurrentGraphic(), nullptr);
    EXPECT_EQ(changes, 2);
}

TEST_F(PictureTest, CopyFromPictureGraphicOrNothing) {
    TPicture other;
    TFakeGraphic g;
    g.width = 2;
    g.height = 3;
    other.CopyFrom(&g);
    picture.CopyFrom(&other);
    EXPECT_EQ(picture.ImageHeight(), 3);
    picture.CopyFrom(nullptr);
    EXPECT_EQ(picture.CurrentGraphic(), nullptr);
}

TEST_F(PictureTest, AsBitmapReplacesAnotherGraphicByAnEmptyBitmap) {
    TFakeGraphic g;
    g.width = 2;
    g.height = 3;
    picture.ReplaceGraphic(&g);
    changes = 0;
    TBitmap* bitmap = picture.AsBitmap();
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(picture.CurrentGraphic(), bitmap);
    EXPECT_EQ(bitmap->ImageWidth(), 0);
    EXPECT_EQ(bitmap->ImageHeight(), 0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picture.AsBitmap(), bitmap) << "a held bitmap is returned unchanged";
    EXPECT_EQ(changes, 1);
}

TEST_F(PictureTest, CopyToADifferentClassRaisesConvertError) {
    TFakeGraphic g;
    picture.ReplaceGraphic(&g);
    TPicture target;
    try {
        picture.CurrentGraphic()->CopyTo(&target);
        FAIL() << "no failure";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TFakeGraphic to a TPicture");
    }
}

TEST_F(PictureTest, PersistedDataRoundTripsAndUnknownClassEmptiesThePicture) {
    TFakeGraphic g;
    g.width = 4;
    g.height = 9;
    picture.ReplaceGraphic(&g);
    TMemoryStream block;
    picture.WriteData(block);
    ASSERT_EQ(block.Memory()[0], 12) << "length byte of \"TFakeGraphic\"";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.Memory()) + 1, 12), "TFakeGraphic");

    TPicture copy;
    block.SetPosition(0);
    copy.ReadData(block);
    EXPECT_EQ(copy.ImageWidth(), 4);
    EXPECT_EQ(copy.ImageHeight(), 9);

    TMemoryStream unknown;
    unknown.WriteUInt8(5);
    unknown.WriteBuffer("TNone", 5);
    unknown.SetPosition(0);
    copy.ReadData(unknown);
    EXPECT_EQ(copy.CurrentGraphic(), nullptr);
}

TEST_F(PictureTest, SameContentComparesPersistedBytes) {
    TFakeGraphic a, b, empty1, empty2;
    a.width = b.width = 3;
    a.height = b.height = 4;
    EXPECT_TRUE(a.SameContent(b));
    b.height = 5;
    EXPECT_FALSE(a.SameContent(b));
    EXPECT_TRUE(empty1.SameContent(empty2));
    EXPECT_FALSE(a.SameContent(empty1));
}

TEST(FormatRegistryTest, BuiltInEntriesAndExtensionRule) {
    TPicture picture;  // makes the registries
    EXPECT_EQ(FormatRegistry::Instance().FindByExtension("BMP"), &TBitmap::Class);
    EXPECT_EQ(FormatRegistry::Instance().FindByClassName("TBitmap"), &TBitmap::Class);
    EXPECT_EQ(FormatRegistry::Instance().FindByClassName("tbitmap"), nullptr);
    EXPECT_EQ(PathExtension("/a/b/auto.JPG"), "JPG");
    EXPECT_EQ(PathExtension("/a/Foto.dir/auto"), "");
    EXPECT_EQ(PathExtension("/a/.gif"), "gif");
    EXPECT_EQ(AnsiLowerCase("ÁBČ.Ř"), "ábč.ř");
}

}  // namespace
