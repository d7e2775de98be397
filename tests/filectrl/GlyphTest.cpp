// The glyphs: every resource is there in its size and depth, and draws with its bottom-left
// colour as the entry's background. The built-in BMP bytes are read by QImage as a reference.

#include <gtest/gtest.h>

#include "QtApplication.h"
#include "filectrl/GlyphPainter.h"
#include "filectrl/GlyphResources.h"
#include "graphics/Bitmap.h"
#include "ui/Control.h"

namespace {

struct GlyphCase {
    TGlyphKind kind;
    const char* name;
    int height;
};

class GlyphTest : public testing::TestWithParam<GlyphCase> {
protected:
    static QImage Reference(const char* name) {
        for (const GlyphResource& resource : GlyphResources())
            if (std::string(resource.name) == name)
                return QImage::fromData(resource.bytes, int(resource.size), "BMP")
                    .convertToFormat(QImage::Format_RGB32);
        return {};
    }
};

TEST_P(GlyphTest, ResourceIsSixteenColours) {
    const QImage reference = Reference(GetParam().name);
    ASSERT_FALSE(reference.isNull());
    EXPECT_EQ(reference.width(), 16);
    EXPECT_EQ(reference.height(), GetParam().height);
    const auto& resource = *std::find_if(GlyphResources().begin(), GlyphResources().end(),
                                         [](const GlyphResource& r) { return std::string(r.name) == GetParam().name; });
    EXPECT_EQ(resource.bytes[28], 4);  // biBitCount: 4 bits per pixel
}

TEST_P(GlyphTest, LoadsThroughTBitmap) {
    std::unique_ptr<TBitmap> glyph = LoadGlyph(GetParam().name);
    EXPECT_EQ(glyph->ImageWidth(), 16);
    EXPECT_EQ(glyph->ImageHeight(), GetParam().height);
    EXPECT_EQ(GlyphResourceName(GetParam().kind), std::string(GetParam().name));
}

TEST_P(GlyphTest, BottomLeftColourShowsTheBackground) {
    EnsureApplication();
    const QImage reference = Reference(GetParam().name);
    ASSERT_FALSE(reference.isNull());
    const QRgb transparent = reference.pixel(0, reference.height() - 1);
    for (TColor background : {clWindow, clHighlight}) {
        const QImage drawn = GlyphPainter::Render(GetParam().kind, background);
        ASSERT_EQ(drawn.size(), reference.size());
        const QRgb fill = ToQColor(background).rgb();
        int painted = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const QRgb source = reference.pixel(x, y);
                const QRgb expected = source == transparent ? fill : source;
                ASSERT_EQ(drawn.pixel(x, y) & 0xFFFFFF, expected & 0xFFFFFF) << x << "," << y;
                painted += source != transparent;
            }
        EXPECT_GT(painted, 16) << "a glyph that is mostly background";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Glyphs, GlyphTest,
    testing::Values(GlyphCase{TGlyphKind::Floppy, "FLOPPY", 11}, GlyphCase{TGlyphKind::Hard, "HARD", 11},
                    GlyphCase{TGlyphKind::Network, "NETWORK", 11}, GlyphCase{TGlyphKind::CDRom, "CDROM", 11},
                    GlyphCase{TGlyphKind::Ram, "RAM", 11}, GlyphCase{TGlyphKind::OpenFolder, "OPENFOLDER", 15},
                    GlyphCase{TGlyphKind::CurrentFolder, "CURRENTFOLDER", 15},
                    GlyphCase{TGlyphKind::ClosedFolder, "CLOSEDFOLDER", 15},
                    GlyphCase{TGlyphKind::Executable, "EXECUTABLE", 15},
                    GlyphCase{TGlyphKind::UnknownFile, "UNKNOWNFILE", 15}));

TEST(GlyphResourcesTest, TenGlyphsAndNoMore) { EXPECT_EQ(GlyphResources().size(), 10u); }

TEST(GlyphResourcesTest, UnknownNameRaises) {
    try {
        LoadGlyph("MISSING");
        FAIL() << "no failure";
    } catch (const EResNotFound& error) {
        EXPECT_EQ(error.Message(), "Resource MISSING not found");
    }
}

TEST(GlyphResourcesTest, NoGlyphForNone) {
    EXPECT_EQ(GlyphResourceName(TGlyphKind::None), nullptr);
    EXPECT_TRUE(GlyphPainter::Render(TGlyphKind::None, clWindow).isNull());
}

}  // namespace
