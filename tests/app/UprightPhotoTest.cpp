// A portrait photo stored sideways with EXIF orientation 6: the window shows, previews, views at
// 100 % and saves it upright.

#include <fstream>

#include "MainWindowFixture.h"
#include "app/Unit2.h"
#include "app/conversion/OutputPath.h"
#include "support/ExifBlock.h"
#include "support/TaggedPhotos.h"

namespace {

TEST_F(MainWindow, PortraitPhotoStoredSidewaysIsShownAndSavedUpright) {
    const auto photo = tagged::MakePhoto(folder);  // 160 x 120 as stored
    if (!photo) GTEST_SKIP() << "ImageMagick or the photograph missing";
    const std::string path = folder.File("portrait.jpg");
    const tagged::Bytes tagged = exiftest::WithOrientation(*photo, 6);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(tagged.data()), std::streamsize(tagged.size()));
    Form1->Show();

    Preview(path);
    EXPECT_EQ(Form1->Label1->Caption(), "Výška: 160");
    EXPECT_EQ(Form1->Label2->Caption(), "Šířka: 120");
    EXPECT_EQ(Form1->Image0->Width(), 360 / 4);
    EXPECT_EQ(Form1->Image0->Height(), 480 / 4);

    Form1->Image0->Click();
    EXPECT_EQ(Form2->Caption(), "100% zobrazení: 120 x 160");
    Form2->Hide();

    Save(path);
    const JpegFrame frame = ReadJpegFrame(OutputPathFor(path));
    EXPECT_EQ(frame.width, 360);
    EXPECT_EQ(frame.height, 480);
    Form1->Hide();
}

}  // namespace
