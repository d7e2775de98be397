// Fonts of metafile text: the common Windows faces resolve to families with their advances, and
// text drawn in them fills the advance arrays that Windows wrote into the conformance files.
// Symbol-set bytes stand for the characters of their face's published encoding.
#include <gtest/gtest.h>

#include <QFontMetricsF>
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

// A few codes of each table, far apart, against the faces' published encodings.
TEST(MetafileFontTest, SymbolSetsFollowTheirFacesEncodings) {
    using platform::SymbolSet;
    struct Code {
        SymbolSet set;
        std::uint8_t byte;
        char32_t unicode;
    };
    for (const Code& c :
         {Code{SymbolSet::Symbol, 0x22, U'∀'}, Code{SymbolSet::Symbol, 0x41, U'Α'}, Code{SymbolSet::Symbol, 0x6A, U'ϕ'},
          Code{SymbolSet::Symbol, 0xA0, U'€'}, Code{SymbolSet::Symbol, 0xC5, U'⊕'}, Code{SymbolSet::Symbol, 0xEC, U'⎧'},
          Code{SymbolSet::Symbol, 0xFE, U'⎭'}, Code{SymbolSet::Symbol, 0x80, 0}, Code{SymbolSet::Symbol, 0xF0, 0},
          Code{SymbolSet::Wingdings, 0x28, U'☎'}, Code{SymbolSet::Wingdings, 0x4A, U'☺'},
          Code{SymbolSet::Wingdings, 0x8C, U'❶'}, Code{SymbolSet::Wingdings, 0xFC, U'✔'},
          Code{SymbolSet::Wingdings, 0xFF, 0}, Code{SymbolSet::Wingdings2, 0x52, U'☑'},
          Code{SymbolSet::Webdings, 0x61, U'✔'}})
        EXPECT_EQ(platform::SymbolChar(c.set, c.byte), c.unicode) << int(c.set) << " " << int(c.byte);
    EXPECT_EQ(platform::SymbolSetOf(u" WingDings"), SymbolSet::Wingdings);
    EXPECT_EQ(platform::SymbolSetOf(u"MT Extra"), SymbolSet::Symbol);
}

}  // namespace
