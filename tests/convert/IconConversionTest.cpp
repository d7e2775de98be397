// Icon files through the tool and the window: found in folders, converted to a white picture of
// the rule's size with the icon at its own size in the corner, the same bytes both ways.

#include <gtest/gtest.h>

#include <fstream>

#include <QImage>

#include "TestPictures.h"
#include "app/Unit1.h"
#include "graphics/Bitmap.h"
#include "app/conversion/PictureFormats.h"
#include "app/conversion/InputFiles.h"
#include "app/conversion/PictureConversion.h"
#include "support/IconFiles.h"
#include "support/TestData.h"
#include "ui/Application.h"

namespace {

using namespace convtest;

class IconConversion : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!Application) TApplication::Initialize();
        RegisterPictureFormats();
    }
    // A 32 x 32 red icon whose top-left quarter is transparent.
    std::string WriteIcon(const std::string& name) {
        const std::vector<std::uint8_t> bytes = icontest::IcoFile({icontest::QuarterCut(32, 0xFF0000)});
        std::ofstream(dir.File(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return dir.File(name);
    }

    testdata::TempDir dir;
};

TEST_F(IconConversion, FoldersGiveIconFiles) {
    const std::string icon = WriteIcon("logo.ico");
    const InputList list = ExpandInputs({dir.Path().string()}, PictureExtensions(), false);
    EXPECT_EQ(list.files, std::vector<std::string>{icon});
}

// The preview and the written picture: white, of the rule's size, the icon at its own size in
// the corner; the window and the tool write the same bytes.
TEST_F(IconConversion, WindowAndToolDrawTheIconInTheCornerOfAWhitePicture) {
    const std::string source = WriteIcon("logo.ico");
    TForm1 window(nullptr);
    window.LE1->SetText(source);
    window.LE3->SetText(dir.File("window.jpg"));
    window.Button2Click(window.LE1);  // any sender but the button previews
    EXPECT_EQ(window.Label1->Caption(), "Výška: 32");
    EXPECT_EQ(window.Image0->Width(), 120);
    auto* preview = dynamic_cast<TBitmap*>(window.Image0->Picture().CurrentGraphic());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(platform::COLORREF(preview->Canvas().PixelAt(24, 24)), ColorToRGB(clRed));
    EXPECT_EQ(platform::COLORREF(preview->Canvas().PixelAt(6, 6)), ColorToRGB(clWhite));  // masked
    EXPECT_EQ(platform::COLORREF(preview->Canvas().PixelAt(40, 40)), ColorToRGB(clWhite));
    window.Button2Click(window.Button2);

    const FileOutcome outcome = ConvertPicture(source, ConversionSettings{});
    ASSERT_EQ(outcome.kind, OutcomeKind::Converted) << outcome.message;
    EXPECT_EQ(ReadBytes(outcome.output), ReadBytes(dir.File("window.jpg")));
    const QImage written(QString::fromStdString(outcome.output), "JPEG");
    ASSERT_EQ(written.size(), QSize(480, 480));
    EXPECT_LT(written.pixelColor(24, 24).green(), 40);  // red, as far as JPEG keeps it
    EXPECT_GT(written.pixelColor(300, 300).lightness(), 240);
}

}  // namespace
