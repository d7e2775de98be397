// Text of Windows metafiles: the 8-bit string widened by the selected font's character set,
// the advances kept, and both back again when written as a Windows metafile.
#include <gtest/gtest.h>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/WmfRecordType.h"
#include "platform/metafile/EmfToWmf.h"
#include "platform/metafile/RecordReader.h"
#include "platform/metafile/WinMetaFile.h"
#include "tests/graphics/MetafileTestSupport.h"

namespace {

using emftest::WmfBuilder;

// A font of the character set, then "Da" at (10, 20) with advances 7 and 9.
std::vector<std::uint8_t> TextMetafile(std::uint8_t charSet, const std::string& face = "Symbol") {
    WmfBuilder b;
    std::vector<std::uint16_t> font{std::uint16_t(-20), 0, 0, 0, 400, 0, std::uint16_t(charSet << 8), 0, 0};
    for (std::size_t i = 0; i <= face.size(); i += 2)
        font.push_back(std::uint16_t(std::uint8_t(face[i]) | (i + 1 < face.size() ? face[i + 1] << 8 : 0)));
    b.Record(platform::META_CREATEFONTINDIRECT, font);
    b.Record(platform::META_SELECTOBJECT, {0});
    b.Record(platform::META_EXTTEXTOUT, {20, 10, 2, 0, 'D' | ('a' << 8), 7, 9});
    auto bytes = b.Bytes();
    return std::vector<std::uint8_t>(bytes.begin() + 22, bytes.end());  // the records without the placeable header
}

// The characters and advances of the first ExtTextOutW record.
std::pair<std::u16string, std::vector<std::int32_t>> FirstText(const std::vector<std::uint8_t>& emf) {
    std::size_t pos = 0;
    while (pos + 8 <= emf.size()) {
        const platform::RecordReader r(std::span<const std::uint8_t>(emf).subspan(pos));
        if (r.U32(0) == platform::EMR_EXTTEXTOUTW) {
            std::u16string text;
            std::vector<std::int32_t> dx;
            for (std::uint32_t i = 0; i < r.U32(44); ++i) {
                text += char16_t(r.U16(r.U32(48) + 2 * i));
                if (r.U32(72)) dx.push_back(r.I32(r.U32(72) + 4 * i));
            }
            return {text, dx};
        }
        pos += r.U32(4);
    }
    return {};
}

std::vector<std::uint8_t> Converted(const std::vector<std::uint8_t>& wmf) {
    const platform::METAFILEPICT picture;
    const auto emf = platform::SetWinMetaFileBits(wmf.size(), wmf.data(), &picture);
    EXPECT_TRUE(emf);
    return emf ? emf->Bytes() : std::vector<std::uint8_t>{};
}

TEST(WmfTextTest, CharacterSetDecidesTheCharacters) {
    EXPECT_EQ(FirstText(Converted(TextMetafile(0))).first, u"Da");
    const auto [symbol, dx] = FirstText(Converted(TextMetafile(2)));
    EXPECT_EQ(symbol, u"Δα");
    EXPECT_EQ(dx, (std::vector<std::int32_t>{7, 9}));
    // Other symbol faces keep their bytes as the private-use codes their fonts answer to.
    EXPECT_EQ(FirstText(Converted(TextMetafile(2, "Wingdings"))).first, u"\uF044\uF061");
}

TEST(WmfTextTest, WritingBackGivesTheBytesAgain) {
    const auto wmf = TextMetafile(2);
    const auto emf = Converted(wmf);
    const auto back = platform::EmfToWmf(emf).Convert();
    EXPECT_EQ(FirstText(Converted(back)), FirstText(emf));
}

}  // namespace
