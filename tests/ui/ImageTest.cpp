#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/MessageBox.h"

namespace {

// A graphic that is not a bitmap, drawing nothing.
class TOtherGraphic : public TGraphic {
    OBRAZOR_CLASS_RECORD
public:
    void CopyFrom(TPersistent*) override {}
    void DrawInto(TCanvas&, const TRect&) override {}
    bool IsEmpty() override { return false; }
    std::int32_t ImageHeight() override { return 7; }
    std::int32_t ImageWidth() override { return 9; }
    void ResizeHeight(std::int32_t) override {}
    void ResizeWidth(std::int32_t) override {}
    void LoadFromStream(TStream&) override {}
    void SaveToStream(TStream&) override {}
    void ReadFromClipboard(std::uint16_t, const TClipboardData&, HPALETTE) override {}
    void WriteToClipboard(std::uint16_t&, TClipboardData&, HPALETTE&) override {}
};
OBRAZOR_DEFINE_CLASS(TOtherGraphic, TGraphic);

// A graphic whose damage shows only when it is drawn.
class TDamagedGraphic : public TOtherGraphic {
    OBRAZOR_CLASS_RECORD
public:
    void DrawInto(TCanvas&, const TRect&) override { throw EInvalidGraphic("Bogus marker length"); }
};
OBRAZOR_DEFINE_CLASS(TDamagedGraphic, TOtherGraphic);

class ImageControl : public testing::Test {
protected:
    void SetUp() override {
        TApplication::Initialize();
        image = new TImage(&form);
        image->SetParent(&form);
    }
    TForm form{nullptr};
    TImage* image = nullptr;
};

TEST_F(ImageControl, NewControlIs105Square) {
    EXPECT_EQ(image->Width(), 105);
    EXPECT_EQ(image->Height(), 105);
    EXPECT_EQ(image->Picture().CurrentGraphic(), nullptr);
}

TEST_F(ImageControl, CanvasOfAnEmptyPictureMakesAWhiteBitmapOfTheControlsSize) {
    image->SetBounds(0, 0, 40, 30);
    TCanvas& canvas = image->Canvas();
    auto* bitmap = dynamic_cast<TBitmap*>(image->Picture().CurrentGraphic());
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(&canvas, &bitmap->Canvas());
    EXPECT_EQ(bitmap->ImageWidth(), 40);
    EXPECT_EQ(bitmap->ImageHeight(), 30);
    EXPECT_EQ(ColorToRGB(canvas.PixelAt(0, 0)), ColorToRGB(clWhite));
    EXPECT_EQ(ColorToRGB(canvas.PixelAt(39, 29)), ColorToRGB(clWhite));
    // Asked again, it returns the same bitmap's canvas.
    EXPECT_EQ(&image->Canvas(), &canvas);
}

TEST_F(ImageControl, SettingTheBoundsNeverTouchesThePicture) {
    image->SetBounds(0, 0, 40, 30);
    image->Canvas();
    image->SetBounds(0, 0, 10, 10);
    EXPECT_EQ(image->Picture().ImageWidth(), 40);
    EXPECT_EQ(image->Picture().ImageHeight(), 30);
}

TEST_F(ImageControl, CanvasOfAnotherGraphicFails) {
    TOtherGraphic other;
    image->Picture().ReplaceGraphic(&other);
    try {
        image->Canvas();
        FAIL() << "no failure";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Can only modify an image if it contains a bitmap");
    }
}

TEST_F(ImageControl, PaintsTheGraphicAtItsOwnSizeFromTheTopLeftClipped) {
    image->SetBounds(0, 0, 6, 4);
    image->Canvas();  // a white 6 x 4 bitmap
    TBitmap small;
    small.ResizeWidth(3);
    small.ResizeHeight(2);
    small.Canvas().SetPixelAt(0, 0, clRed);
    small.Canvas().SetPixelAt(2, 1, clBlue);
    image->Picture().ReplaceGraphic(&small);
    image->SetBounds(0, 0, 5, 5);
    form.SetClientWidth(20);
    form.SetClientHeight(20);
    form.Show();

    const QImage shown = image->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(5, 5));
    EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(2, 1), qRgb(0, 0, 255));
    EXPECT_EQ(shown.pixel(1, 1), qRgb(255, 255, 255));
    // Outside the graphic the control shows its background, not stretched pixels.
    const QRgb background = image->Widget()->palette().color(QPalette::Window).rgb();
    EXPECT_EQ(shown.pixel(4, 4), background);
    EXPECT_EQ(shown.pixel(3, 0), background);
    form.Hide();
}

TEST_F(ImageControl, RepaintsAfterThePictureChanges) {
    image->SetBounds(0, 0, 2, 2);
    form.SetClientWidth(10);
    form.SetClientHeight(10);
    form.Show();
    image->Canvas().SetPixelAt(0, 0, clBlack);
    QImage shown = image->Widget()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(Qt::black));
    image->Picture().CopyFrom(nullptr);
    image->Canvas().SetPixelAt(0, 0, clLime);
    shown = image->Widget()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(0, 255, 0));
    form.Hide();
}

TEST_F(ImageControl, AGraphicThatFailsToDrawIsReportedOnceAfterThePaint) {
    std::vector<std::string> boxes;
    MessageBoxHook = [&](const std::string& text, const std::string&, unsigned) {
        boxes.push_back(text);
        return IDOK;
    };
    TDamagedGraphic damaged;
    image->Picture().ReplaceGraphic(&damaged);
    form.SetClientWidth(20);
    form.SetClientHeight(20);
    form.Show();
    image->Widget()->grab();
    image->Widget()->grab();
    EXPECT_TRUE(boxes.empty());  // not inside the paint
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes, std::vector<std::string>{"Bogus marker length."});
    MessageBoxHook = nullptr;
    form.Hide();
}

}  // namespace
