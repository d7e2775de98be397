// The program's own icon stands for an icon file of type 0 once start-up has installed it.

#include <gtest/gtest.h>

#include "app/StockIcon.h"
#include "graphics/Bitmap.h"
#include "graphics/Icon.h"
#include "graphics/Streams.h"
#include "resources/Resources.h"

namespace {

TEST(StockIcon, ATypeZeroIconDrawsTheProgramsIcon) {
    InstallStockIcon();
    TMemoryStream stream;
    stream.WriteBuffer(ProgramIconBmp, std::int64_t(ProgramIconBmpSize));
    stream.SetPosition(0);
    TBitmap expected;
    expected.LoadFromStream(stream);
    TIcon icon;
    stream.Clear();
    stream.SetSize(6);  // an all-zero header: type 0
    icon.LoadFromStream(stream);
    TBitmap drawn;
    drawn.ResizeWidth(expected.ImageWidth());
    drawn.ResizeHeight(expected.ImageHeight());
    drawn.Canvas().StretchDrawGraphic({0, 0, expected.ImageWidth(), expected.ImageHeight()}, &icon);
    ASSERT_EQ(icon.ImageWidth(), expected.ImageWidth());
    int different = 0;
    for (int y = 0; y < expected.ImageHeight(); ++y)
        for (int x = 0; x < expected.ImageWidth(); ++x)
            different += drawn.Canvas().PixelAt(x, y) != expected.Canvas().PixelAt(x, y);
    EXPECT_EQ(different, 0);
}

}  // namespace
