// Metafiles through the window: an enhanced and a placeable Windows metafile preview with their
// size and drawing, and "Převeď!" writes the JPEG of the rule's size.
#include <filesystem>

#include "MainWindowFixture.h"
#include "app/conversion/OutputPath.h"
#include "graphics/Bitmap.h"

namespace {

bool DrawsSomething(TGraphic* graphic) {
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    if (!bitmap) return false;
    for (int y = 0; y < bitmap->ImageHeight(); y += 2)
        for (int x = 0; x < bitmap->ImageWidth(); x += 2)
            if ((bitmap->Canvas().PixelAt(x, y) & 0xFFFFFF) != 0xFFFFFF) return true;
    return false;
}

TEST_F(MainWindow, MetafilesPreviewAndConvert) {
    REQUIRE_TESTDATA(root);
    struct Case {
        const char* file;
        const char* height;
        const char* width;
        int jpegWidth, jpegHeight;
    };
    for (const Case& c : {Case{"emf/test-001.emf", "Výška: 422", "Šířka: 563", 640, 479},
                          Case{"wmf/2doorvan.wmf", "Výška: 116", "Šířka: 318", 640, 233}}) {
        const std::filesystem::path source = folder.Path() / std::filesystem::path(c.file).filename();
        std::filesystem::copy_file(root / c.file, source);
        Preview(source.string());
        EXPECT_EQ(Form1->Label1->Caption(), c.height) << c.file;
        EXPECT_EQ(Form1->Label2->Caption(), c.width) << c.file;
        EXPECT_TRUE(DrawsSomething(Form1->Image0->Picture().CurrentGraphic())) << c.file;
        Save(source.string());
        const JpegFrame frame = ReadJpegFrame(OutputPathFor(source.string()));
        EXPECT_EQ(frame.width, c.jpegWidth) << c.file;
        EXPECT_EQ(frame.height, c.jpegHeight) << c.file;
    }
}

}  // namespace
