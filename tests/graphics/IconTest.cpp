// Icons: the choice of the image to build, drawing with the mask, keeping the file's bytes, icons
// made from handles, and damaged files failing cleanly.

#include <gtest/gtest.h>

#include "BitmapTestSupport.h"
#include "graphics/Exceptions.h"
#include "graphics/Icon.h"
#include "graphics/IconFile.h"
#include "graphics/Messages.h"
#include "support/IconFiles.h"

namespace {

using namespace bitmaptest;
using namespace icontest;

constexpr TColor kBackground = clLime;
constexpr std::uint32_t kRed = 0xFF0000;  // as the test files write it: 0xRRGGBB
constexpr std::uint32_t kWhite = 0xFFFFFF;

void LoadIcon(TIcon& icon, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream = StreamOf(bytes);
    icon.LoadFromStream(stream);
}

std::vector<std::uint8_t> SavedIcon(TIcon& icon) {
    TMemoryStream stream;
    icon.SaveToStream(stream);
    return BytesOf(stream);
}

// A lime target of the given size with the icon stretch-drawn into the whole of it but the
// 4-pixel margin at the top left.
struct Drawn {
    TBitmap target;
    Drawn(TGraphic& graphic, int size) {
        Shape(target, TPixelDepth::Device, size, size);
        target.Canvas().Brush().SetColor(kBackground);
        target.Canvas().FillArea({0, 0, size, size});
        target.Canvas().StretchDrawGraphic({4, 4, size, size}, &graphic);
    }
    // The pixel at (x, y) of the icon.
    platform::COLORREF At(int x, int y) { return Pixel(target, 4 + x, 4 + y); }
};

// ---- Which image is built -------------------------------------------------------------------

struct ChoiceCase {
    const char* name;
    std::vector<ico::DirEntry> entries;  // only width, height and colour count matter
    ico::Size desired;
    std::uint32_t displayColors;  // 0: a true-colour display
    std::size_t chosen;
};

ico::DirEntry Entry(std::uint8_t size, std::uint8_t colors = 0) { return ico::DirEntry{size, size, colors}; }

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class IconChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(IconChoice, PicksTheBestFittingEntry) {
    const ChoiceCase& c = GetParam();
    EXPECT_EQ(ico::ChooseEntry(c.entries, c.desired, c.displayColors), c.chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IconChoice,
    testing::Values(ChoiceCase{"exact_after_smaller", {Entry(16, 16), Entry(32, 16)}, {32, 32}, 0, 1},
                    ChoiceCase{"exact_after_larger", {Entry(48, 16), Entry(32, 16)}, {32, 32}, 0, 1},
                    // Below the desired size is preferred to above it.
                    ChoiceCase{"smaller_beats_larger", {Entry(16, 16), Entry(48, 16)}, {32, 32}, 0, 0},
                    ChoiceCase{"later_tie_wins", {Entry(32), Entry(32)}, {32, 32}, 0, 1},
                    ChoiceCase{"fewer_colours_lose", {Entry(32, 16), Entry(32, 2)}, {32, 32}, 0, 0},
                    ChoiceCase{"deep_entry_on_deep_display", {Entry(32, 16), Entry(32)}, {32, 32}, 0, 1},
                    ChoiceCase{"deep_entry_on_palette_display", {Entry(32, 16), Entry(32)}, {32, 32}, 256, 0},
                    ChoiceCase{"palette_entry_on_palette_display", {Entry(32, 2), Entry(32, 16)}, {32, 32}, 256, 1},
                    // A size byte of 0 is 256 pixels.
                    ChoiceCase{"zero_byte_is_256", {Entry(0), Entry(48)}, {32, 32}, 0, 1},
                    ChoiceCase{"zero_byte_wanted", {Entry(48), Entry(0)}, {256, 256}, 0, 1}));

// ---- Sizes ----------------------------------------------------------------------------------

TEST(IconSize, StandardUntilBuiltThenTheChosenImage) {
    TIcon icon;
    LoadIcon(icon, IcoFile({Solid(16, kRed), Solid(48, kRed)}));
    EXPECT_EQ(icon.ImageWidth(), platform::GetSystemMetrics(platform::SM_CXICON));
    EXPECT_EQ(icon.ImageHeight(), platform::GetSystemMetrics(platform::SM_CYICON));
    Drawn drawn(icon, 64);
    EXPECT_EQ(icon.ImageWidth(), 16);
    EXPECT_EQ(icon.ImageHeight(), 16);
    EXPECT_EQ(drawn.At(15, 15), ColorToRGB(clRed));
    EXPECT_EQ(drawn.At(16, 16), ColorToRGB(kBackground));  // drawn at its own size, not stretched
}

// ---- Drawing with the mask ------------------------------------------------------------------

class IconDrawing : public testing::TestWithParam<bool> {};  // a PNG image or a bitmap

TEST_P(IconDrawing, MaskedPixelsLeaveTheTarget) {
    TIcon icon;
    LoadIcon(icon, IcoFile({QuarterCut(32, kRed, GetParam())}));
    Drawn drawn(icon, 100);
    EXPECT_EQ(drawn.At(2, 2), ColorToRGB(kBackground));
    EXPECT_EQ(drawn.At(15, 15), ColorToRGB(kBackground));
    EXPECT_EQ(drawn.At(16, 2), ColorToRGB(clRed));
    EXPECT_EQ(drawn.At(31, 31), ColorToRGB(clRed));
    EXPECT_EQ(drawn.At(32, 32), ColorToRGB(kBackground));
    EXPECT_EQ(Pixel(drawn.target, 2, 2), ColorToRGB(kBackground));  // outside the rectangle
}

INSTANTIATE_TEST_SUITE_P(Images, IconDrawing, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& i) { return i.param ? "Png" : "Bitmap"; });

// ---- Bytes kept and icons from handles ------------------------------------------------------

TEST(IconSaving, KeepsTheFileBytesBeforeAndAfterDrawing) {
    const std::vector<std::uint8_t> file = IcoFile({QuarterCut(16, kRed), Solid(32, kWhite, true)});
    TIcon icon;
    LoadIcon(icon, file);
    EXPECT_EQ(SavedIcon(icon), file);
    Drawn drawn(icon, 40);
    EXPECT_EQ(SavedIcon(icon), file);
    TIcon copy;
    copy.CopyFrom(&icon);
    EXPECT_EQ(copy.IconHandle(), icon.IconHandle());
}

TEST(IconSaving, AnIconFromAHandleRoundTripsThroughAOneImageFile) {
    TIcon source;
    LoadIcon(source, IcoFile({QuarterCut(32, kRed)}));
    TIcon adopted;
    adopted.AdoptIconHandle(source.IconHandle());
    EXPECT_EQ(adopted.ImageWidth(), 32);
    TIcon reread;
    LoadIcon(reread, SavedIcon(adopted));
    Drawn expected(source, 40);
    Drawn actual(reread, 40);
    for (int y = 0; y < 36; ++y)
        for (int x = 0; x < 36; ++x) ASSERT_EQ(actual.At(x, y), expected.At(x, y)) << x << ',' << y;
}

TEST(IconSaving, StockIconIsTheApplicationsAndSavesAsAnEmptyHeader) {
    TIcon stock;
    LoadIcon(stock, {0, 0, 0, 0, 0, 0});
    EXPECT_EQ(stock.IconHandle(), platform::LoadIcon(nullptr, platform::IDI_APPLICATION));
    TIcon adopted;
    adopted.AdoptIconHandle(stock.IconHandle());
    EXPECT_EQ(SavedIcon(adopted), std::vector<std::uint8_t>(6, 0));
}

TEST(IconOperations, RefusedWithTheirTexts) {
    TIcon icon;
    EXPECT_TRUE(icon.IsEmpty());
    ExpectFailure<EInvalidGraphic>([&] { SavedIcon(icon); }, msg::SInvalidIcon);
    Drawn emptyDrawn(icon, 10);  // an empty icon draws nothing
    EXPECT_EQ(emptyDrawn.At(0, 0), ColorToRGB(kBackground));
    LoadIcon(icon, IcoFile({Solid(16, kRed)}));
    icon.ResizeWidth(20);  // allowed until built
    icon.IconHandle();
    ExpectFailure<EInvalidGraphicOperation>([&] { icon.ResizeWidth(16); }, msg::SChangeIconSize);
    ExpectFailure<EInvalidGraphicOperation>([&] { icon.ResizeHeight(16); }, msg::SChangeIconSize);
    TClipboardData data;
    HPALETTE palette;
    std::uint16_t format = 0;
    ExpectFailure<EInvalidGraphicOperation>([&] { icon.WriteToClipboard(format, data, palette); },
                                            "Clipboard does not support Icons");
    ExpectFailure<EInvalidGraphicOperation>([&] { icon.ReadFromClipboard(format, data, palette); },
                                            "Clipboard does not support Icons");
}

// ---- Damaged files --------------------------------------------------------------------------

enum class Stage { Load, Draw };

struct DamageCase {
    const char* name;
    std::function<void(std::vector<std::uint8_t>&)> damage;  // applied to a one-image 16 x 16 file
    Stage stage;
};

void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }

class IconDamage : public testing::TestWithParam<DamageCase> {};

void SetAt(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

TEST_P(IconDamage, FailsAsAnInvalidIcon) {
    const DamageCase& c = GetParam();
    std::vector<std::uint8_t> file = IcoFile({QuarterCut(16, kRed, true)});
    if (std::string(c.name).find("bitmap") != std::string::npos) file = IcoFile({QuarterCut(16, kRed)});
    c.damage(file);
    TIcon icon;
    if (c.stage == Stage::Load) {
        ExpectFailure<EInvalidGraphic>([&] { LoadIcon(icon, file); }, msg::SInvalidIcon);
        return;
    }
    LoadIcon(icon, file);
    ExpectFailure<EInvalidGraphic>([&] { Drawn drawn(icon, 40); }, msg::SInvalidIcon);
    EXPECT_EQ(icon.ImageWidth(), platform::GetSystemMetrics(platform::SM_CXICON));
}

constexpr std::size_t kEntry = 6;  // the first directory entry

INSTANTIATE_TEST_SUITE_P(
    Table, IconDamage,
    testing::Values(DamageCase{"cursor", [](auto& b) { b[2] = 2; }, Stage::Load},
                    DamageCase{"zero_count", [](auto& b) { b[4] = 0; }, Stage::Draw},
                    DamageCase{"count_beyond_the_data", [](auto& b) { b[4] = 0xFF; }, Stage::Draw},
                    DamageCase{"offset_outside", [](auto& b) { SetAt(b, kEntry + 12, 0x7FFFFFF0); }, Stage::Draw},
                    DamageCase{"size_outside", [](auto& b) { SetAt(b, kEntry + 8, 0xFFFFFFF0); }, Stage::Draw},
                    DamageCase{"png_body", [](auto& b) { b[b.size() - 20] ^= 0x55; }, Stage::Draw},
                    DamageCase{"png_huge", [](auto& b) { SetAt(b, 22 + 16, 0x00800000); }, Stage::Draw},
                    DamageCase{"bitmap_odd_header", [](auto& b) { SetAt(b, 22, 12); }, Stage::Draw},
                    DamageCase{"bitmap_huge", [](auto& b) { SetAt(b, 22 + 4, 0x40000); }, Stage::Draw},
                    DamageCase{"bitmap_bit_count", [](auto& b) { b[22 + 14] = 7; }, Stage::Draw},
                    DamageCase{"bitmap_no_mask", [](auto& b) { b.resize(b.size() - 32); }, Stage::Draw},
                    DamageCase{"bitmap_short_entry_at_the_end",
                               [](auto& b) {
                                   SetAt(b, kEntry + 8, 20);
                                   SetAt(b, kEntry + 12, std::uint32_t(b.size() - 20));
                               },
                               Stage::Draw}));

TEST(IconDamageTruncated, EveryPrefixFailsCleanly) {
    for (bool png : {false, true}) {
        const std::vector<std::uint8_t> file = IcoFile({QuarterCut(8, kRed, png)});
        for (std::size_t length = 0; length < file.size(); ++length) {
            const std::vector<std::uint8_t> prefix(file.begin(), file.begin() + std::ptrdiff_t(length));
            TIcon icon;
            if (length < ico::kHeaderSize) {
                EXPECT_THROW(LoadIcon(icon, prefix), EReadError) << length;
                continue;
            }
            LoadIcon(icon, prefix);
            EXPECT_THROW(Drawn(icon, 20), EInvalidGraphic) << png << ' ' << length;
        }
    }
}

}  // namespace
