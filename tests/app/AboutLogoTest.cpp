// The About window's logo is the committed image, pixel for pixel, as an independent reader sees it.

#include <QImage>

#include "MainWindowFixture.h"
#include "app/Unit3.h"
#include "graphics/Bitmap.h"

namespace {

TEST_F(MainWindow, AboutLogoShowsTheCommittedImage) {
    const QImage expected(OBRAZOR_RESOURCES_DIR "/AboutLogo.bmp", "BMP");
    ASSERT_FALSE(expected.isNull());
    TBitmap* logo = Form3->Image1->Picture().AsBitmap();
    ASSERT_EQ(logo->ImageWidth(), expected.width());
    ASSERT_EQ(logo->ImageHeight(), expected.height());
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb want = expected.pixel(x, y);
            const auto got = ColorToRGB(logo->Canvas().PixelAt(x, y));
            if (got != platform::RGB(qRed(want), qGreen(want), qBlue(want))) ++differing;
        }
    EXPECT_EQ(differing, 0);
}

}  // namespace
