// Icon files through the tool and the window: found in folders, converted to a white picture of
// the rule's size with the icon at its own size in the corner, the same bytes both ways.

#include <gtest/gtest.h>

#include <fstream>

#include <QImage>

#include "TestPictures.h"
#include "app/Unit1.h"
#include "graphics/Bitmap.h"
#include "app/conversion/PictureFormats.h"
#include "convert/InputFiles.h"
#include "convert/PictureConversion.h"
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
        std::ofstream(dir.File(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                              std::streamsize(bytes.size()));
        return dir.File(name);
    }

    testdata::TempDir dir;
};

TEST_F(IconConversion, FoldersGiveIconFiles) {
    const std::string icon = WriteIcon("logo.ico");
    const InputList list = ExpandInputs({dir.Path().string()}, RegisteredExtensions(), false);
    EXPECT_EQ(list.files, std::vector<std::string>{icon});
}

TEST_F(IconConversion, WhitePictureOfTheRulesSizeWithTheIconInTheCorner) {
    const FileOutcome outcome = ConvertPicture(WriteIcon("logo.ico"), ConversionSettings{});
    ASSERT_EQ(outcome.kind, OutcomeKind::Converted) << outcome.message;
    const QImage written(QString::fromStdString(outcome.output), "JPEG");
    ASSERT_EQ(written.size(), QSize(480, 480));
    const auto near = [&](int x, int y, QColor expected) {
        const QColor c = written.pixelColor(x, y);
        return std::abs(c.red() - expected.red()) < 24 && std::abs(c.green() - expected.green()) < 24 &&
               std::abs(c.blue() - expected.blue()) < 24;
    };
    EXPECT_TRUE(near(24, 24, Qt::red));
    EXPECT_TRUE(near(6, 6, Qt::white));  // the transparent quarter
    EXPECT_TRUE(near(40, 40, Qt::white));
    EXPECT_TRUE(near(300, 300, Qt::white));
}

TEST_F(IconConversion, WindowPreviewsAndWritesTheToolsBytes) {
    const std::string source = WriteIcon("logo.ico");
    TForm1 window(nullptr);
    window.LE1->SetText(source);
    window.LE3->SetText(dir.File("window.jpg"));
    window.CheckBox2->SetChecked(false);
    window.Button2Click(window.LE1);  // any sender but the button previews
    EXPECT_EQ(window.Label1->Caption(), "Výška: 32");
    EXPECT_EQ(window.Image0->Width(), 120);
    auto* preview = dynamic_cast<TBitmap*>(window.Image0->Picture().CurrentGraphic());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(platform::COLORREF(preview->Canvas().PixelAt(24, 24)), ColorToRGB(clRed));
    EXPECT_EQ(platform::COLORREF(preview->Canvas().PixelAt(6, 6)), ColorToRGB(clWhite));
    window.Button2Click(window.Button2);
    const FileOutcome outcome = ConvertPicture(source, ConversionSettings{});
    ASSERT_EQ(outcome.kind, OutcomeKind::Converted) << outcome.message;
    const Bytes fromWindow = ReadBytes(dir.File("window.jpg"));
    ASSERT_FALSE(fromWindow.empty());
    EXPECT_EQ(ReadBytes(outcome.output), fromWindow);
}

}  // namespace
