// Fonts of metafile text: the common Windows faces resolve to families with their advances, and
// text drawn in them fills the advance arrays that Windows wrote into the conformance files.
// Symbol-set bytes stand for the characters of their face's published encoding.
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <filesystem>
#include <map>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/RecordReader.h"
#include "platform/metafile/SymbolFont.h"
#include "platform/metafile/TextFont.h"
#include "support/TestData.h"
#include "tests/graphics/MetafileTestSupport.h"

namespace {

using platform::RecordReader;

struct FaceCase {
    const char* face;
    std::uint8_t pitchAndFamily;  // as Windows writes it for the face
    const char* family;
};

TEST(MetafileFontTest, WindowsFacesResolveToMetricCompatibleFamilies) {
    emftest::EnsureGuiApplication();
    for (const FaceCase& c :
         {FaceCase{"Arial", 0x22, "Liberation Sans"}, FaceCase{"Times New Roman", 0x12, "Liberation Serif"},
          FaceCase{"Courier New", 0x31, "Liberation Mono"}, FaceCase{"Calibri", 0x22, "Carlito"},
          FaceCase{"Cambria", 0x12, "Caladea"}, FaceCase{"Helvetica", 0x22, "Nimbus Sans"},
          FaceCase{"Symbol", 0x12, "Standard Symbols PS"}})
        EXPECT_TRUE(platform::FamilyFor(c.face, c.pitchAndFamily).startsWith(c.family)) << c.face;
    // A face nothing knows takes the family its pitch-and-family byte names.
    EXPECT_NE(platform::FamilyFor("Obrazor Unknown Face", 0x12), platform::FamilyFor("Obrazor Unknown Face", 0x22));
}

// Upright text of the common faces in the conformance files: drawn in the resolved family at the
// font's em height and width, a face's strings advance as far as the arrays Windows wrote for
// them, within 2 % over all of them (each array holds advances rounded to device pixels).
TEST(MetafileFontTest, AdvancesMatchTheArraysWindowsWrote) {
    REQUIRE_TESTDATA(root);
    emftest::EnsureGuiApplication();
    std::map<QString, std::pair<double, double>> totals;  // face: drawn advance, array's advance
    for (const auto& entry : std::filesystem::directory_iterator(root / "emf")) {
        const auto bytes = testdata::ReadFile(entry.path());
        std::map<std::uint32_t, platform::MetaFont> fonts;
        platform::MetaFont selected;
        for (std::size_t pos = 0; pos + 8 <= bytes.size();) {
            const RecordReader head(std::span<const std::uint8_t>(bytes).subspan(pos, 8));
            if (head.U32(4) < 8 || head.U32(4) > bytes.size() - pos) break;
            const RecordReader r(std::span<const std::uint8_t>(bytes).subspan(pos, head.U32(4)));
            pos += r.Size();
            if (r.Type() == platform::EMR_EXTCREATEFONTINDIRECTW) {
                platform::MetaFont& f = fonts[r.U32(8)];
                f.height = r.I32(12), f.width = r.I32(16), f.escapement = r.I32(20), f.weight = r.I32(28);
                f.face.clear();
                for (std::size_t i = 0; i < 32 && r.U16(40 + 2 * i) != 0; ++i) f.face += QChar(r.U16(40 + 2 * i));
            } else if (r.Type() == platform::EMR_SELECTOBJECT && fonts.count(r.U32(8))) {
                selected = fonts[r.U32(8)];
            } else if (r.Type() == platform::EMR_EXTTEXTOUTW && selected.height < 0 && selected.escapement == 0) {
                const std::uint32_t count = r.U32(44), offString = r.U32(48), offDx = r.U32(72);
                if (count < 4 || offDx == 0 || (r.U32(52) & 0x110)) continue;
                QString text;
                double sum = 0;
                for (std::uint32_t i = 0; i < count; ++i) {
                    text += QChar(r.U16(offString + 2 * i));
                    sum += r.I32(offDx + 4 * i);
                }
                const QFont font = platform::OutputFont(selected, -selected.height, std::abs(selected.width));
                totals[selected.face].first += QFontMetricsF(font).horizontalAdvance(text);
                totals[selected.face].second += sum;
            }
        }
    }
    for (const char* face : {"Arial", "Courier New"}) {
        ASSERT_GT(totals[face].second, 0) << face;
        EXPECT_NEAR(totals[face].first / totals[face].second, 1.0, 0.02) << face;
    }
}

// A few codes of each face, far apart, against the faces' published encodings; 0 where the
// encoding gives the byte no character.
TEST(MetafileFontTest, SymbolSetsFollowTheirFacesEncodings) {
    using platform::SymbolSet;
    struct Code {
        SymbolSet set;
        std::uint8_t byte;
        char32_t unicode;
    };
    for (const Code& c :
         {Code{SymbolSet::Symbol, 0x22, U'∀'},    {SymbolSet::Symbol, 0x41, U'Α'},
          {SymbolSet::Symbol, 0x6A, U'ϕ'},        {SymbolSet::Symbol, 0xA0, U'€'},
          {SymbolSet::Symbol, 0xC5, U'⊕'},        {SymbolSet::Symbol, 0xEC, U'⎧'},
          {SymbolSet::Symbol, 0xFE, U'⎭'},        {SymbolSet::Symbol, 0x80, 0},
          {SymbolSet::Symbol, 0xF0, 0},           {SymbolSet::Wingdings, 0x28, 0x1F57F},  // black touchtone telephone
          {SymbolSet::Wingdings, 0x4A, U'☺'},     {SymbolSet::Wingdings, 0x8C, U'➊'},
          {SymbolSet::Wingdings, 0xFC, U'✓'},     {SymbolSet::Wingdings, 0xFF, 0},
          {SymbolSet::Wingdings2, 0x52, U'☑'},    {SymbolSet::Wingdings2, 0xA2, U'■'},
          {SymbolSet::Wingdings2, 0xF9, U'⁂'},    {SymbolSet::Wingdings2, 0xFA, 0},
          {SymbolSet::Wingdings3, 0x28, U'⭨'},  {SymbolSet::Wingdings3, 0x70, U'▲'},
          {SymbolSet::Wingdings3, 0xF0, 0x1F897},  // downwards white arrow within triangle arrowhead
          {SymbolSet::Wingdings3, 0x7F, 0},       {SymbolSet::Wingdings3, 0xF1, 0},
          {SymbolSet::Webdings, 0x61, U'✔'},      {SymbolSet::Webdings, 0x87, U'⛷'},
          {SymbolSet::Webdings, 0xFF, 0x1F54A},  // dove of peace
          {SymbolSet::Webdings, 0x7F, 0}})
        EXPECT_EQ(platform::SymbolChar(c.set, c.byte), c.unicode) << int(c.set) << " " << int(c.byte);
    EXPECT_EQ(platform::SymbolSetOf(u" WingDings"), SymbolSet::Wingdings);
    EXPECT_EQ(platform::SymbolSetOf(u"MT Extra"), SymbolSet::Symbol);
}

// Every character the tables give a byte is drawn in the font the player takes for the face, or
// in one Qt falls back to: never as a missing glyph, and always with ink.
TEST(MetafileFontTest, EverySymbolSetCharacterHasAGlyph) {
    emftest::EnsureGuiApplication();
    using platform::SymbolSet;
    for (const auto& [set, face] :
         {std::pair{SymbolSet::Symbol, "Symbol"}, std::pair{SymbolSet::Wingdings, "Wingdings"},
          std::pair{SymbolSet::Wingdings2, "Wingdings 2"}, std::pair{SymbolSet::Wingdings3, "Wingdings 3"},
          std::pair{SymbolSet::Webdings, "Webdings"}}) {
        platform::MetaFont f;
        f.face = QString::fromLatin1(face);
        f.charSet = platform::SYMBOL_CHARSET;
        const QFont font = platform::OutputFont(f, 32, 0);
        for (int byte = 0x21; byte <= 0xFF; ++byte) {
            const char32_t c = platform::SymbolChar(set, std::uint8_t(byte));
            if (c == 0) continue;
            QTextLayout layout(QString::fromUcs4(&c, 1), font);
            layout.beginLayout();
            layout.createLine();
            layout.endLayout();
            bool found = true;
            for (const QGlyphRun& run : layout.glyphRuns())
                for (const quint32 glyph : run.glyphIndexes()) found = found && glyph != 0;
            QImage image(64, 64, QImage::Format_Grayscale8);
            image.fill(Qt::white);
            QPainter painter(&image);
            layout.draw(&painter, QPointF(16, 8));
            painter.end();
            bool ink = false;
            for (int y = 0; y < image.height() && !ink; ++y)
                for (int x = 0; x < image.width() && !ink; ++x) ink = qGray(image.pixel(x, y)) < 160;
            EXPECT_TRUE(found && ink) << face << " " << std::hex << byte << " U+" << std::uint32_t(c);
        }
    }
}

}  // namespace
