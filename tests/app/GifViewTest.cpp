// An animated GIF in the window: the preview shows its first frame, the 100 % view repaints with
// the next frame once its delay has passed on a stepped clock, and the painter stops when the
// view is closed or another file is chosen.

#include <filesystem>

#include <QCoreApplication>
#include <QImage>
#include <QWidget>

#include "MainWindowFixture.h"
#include "app/Unit2.h"
#include "filectrl/FileListBox.h"
#include "filectrl/FilterComboBox.h"
#include "gif/GIFImage.h"
#include "graphics/Bitmap.h"
#include "platform/Clock.h"
#include "platform/OwnerThread.h"

namespace {

QRgb Rgb(TColor color) { return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

class GifView : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        const auto root = testdata::Root();
        if (!root) GTEST_SKIP() << "OBRAZOR_TESTDATA not set: no conformance files";
        const std::filesystem::path suite = *root / "gif-test-suite" / "gifs";
        std::filesystem::copy_file(suite / "animated_loop.gif", folder.File("anim.gif"));
        Picture("still.bmp", 100, 100);
        for (int k = 0; k < 2; ++k)
            frames.push_back(QImage(QString::fromStdString(
                                        (suite / "frames" / ("animated_loop-" + std::to_string(k) + ".png")).string()))
                                 .convertToFormat(QImage::Format_RGB32));
        Form1->Show();
        Form1->FilterComboBox1->SetItemIndex(6);  // all files
    }
    void TearDown() override {
        if (Form2) Form2->Hide();
        if (Form1) Form1->Hide();
        MainWindow::TearDown();
    }
    TGIFImage* ViewGif() { return dynamic_cast<TGIFImage*>(Form2->Image1->Picture().CurrentGraphic()); }
    QRgb Shown(int x, int y) { return Form2->Image1->Widget()->grab().toImage().pixel(x, y) | 0xFF000000u; }
    // Events until the view shows `colour` at (x, y); each round waits up to 10 real
    // milliseconds for the painter's thread to queue a step, at most 5 s in all.
    // The clock moves `stepMs` each round: the painter may take up its wait at any moment.
    bool ViewShows(int x, int y, QRgb colour, int stepMs = 0) {
        for (int i = 0; i < 500; ++i) {
            clock.Advance(stepMs);
            platform::WaitAndServiceOwnerThread(std::chrono::milliseconds(10));
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            if (Shown(x, y) == colour) return true;
        }
        return false;
    }

    platform::TSteppedClock clock;
    std::vector<QImage> frames;
};

TEST_F(GifView, PreviewShowsTheFirstFrameAndTheViewAnimates) {
    ASSERT_EQ(Form1->FileListBox1->Count(), 2);
    Form1->FileListBox1->SetItemIndex(0);  // anim.gif
    ASSERT_EQ(Form1->Label1->Caption(), "Výška: 100");
    // (10, 10) is green in the first frame and orange from the second on.
    const QRgb first = frames[0].pixel(10, 10), second = frames[1].pixel(10, 10);
    ASSERT_NE(first, second);
    TBitmap* preview = dynamic_cast<TBitmap*>(Form1->Image0->Picture().CurrentGraphic());
    ASSERT_NE(preview, nullptr);
    const int px = 10 * preview->ImageWidth() / 100;
    EXPECT_EQ(Rgb(preview->Canvas().PixelAt(px, px)) | 0xFF000000u, first);

    Form1->Image0->Click();
    ASSERT_TRUE(Form2->Showing());
    ASSERT_NE(ViewGif(), nullptr);
    EXPECT_TRUE(ViewShows(10, 10, first));
    EXPECT_TRUE(ViewShows(10, 10, second, 50));
    EXPECT_NE(ViewGif()->ShowingPainter(), nullptr);

    Form1->FileListBox1->SetItemIndex(1);  // another file stops the view's animation
    EXPECT_EQ(ViewGif()->ShowingPainter(), nullptr);
}

TEST_F(GifView, ClosingTheViewStopsItsPainter) {
    Form1->FileListBox1->SetItemIndex(0);
    Form1->Image0->Click();
    ASSERT_TRUE(ViewShows(10, 10, frames[0].pixel(10, 10)));
    ASSERT_NE(ViewGif()->ShowingPainter(), nullptr);
    Form2->Image1->Click();
    EXPECT_EQ(ViewGif()->ShowingPainter(), nullptr);
    clock.Advance(1200);
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(ViewGif()->ShowingPainter(), nullptr);
}

}  // namespace
