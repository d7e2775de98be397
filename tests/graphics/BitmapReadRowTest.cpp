// Reading rows leaves shared pixels shared; writing through ScanRow unshares first.

#include <gtest/gtest.h>

#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"

TEST(BitmapReadRowTest, ReadingKeepsTheImageSharedAndWritingUnsharesIt) {
    TBitmap original;
    original.ChangeDepth(TPixelDepth::Bits24);
    original.ResizeWidth(4);
    original.ResizeHeight(3);
    original.ScanRow(0)[0] = 0x12;
    TBitmap copy;
    copy.CopyFrom(&original);

    const std::uint8_t* shared = copy.ReadScanRow(0);
    EXPECT_EQ(shared, original.ReadScanRow(0)) << "no pixels copied for reading";
    EXPECT_EQ(shared[0], 0x12);
    EXPECT_EQ(copy.ReadScanRow(1) - shared, original.ReadScanRow(1) - original.ReadScanRow(0));

    std::uint8_t* own = copy.ScanRow(0);
    EXPECT_NE(own, original.ReadScanRow(0)) << "writing works on a private copy";
    own[0] = 0x34;
    EXPECT_EQ(original.ReadScanRow(0)[0], 0x12);
}

TEST(BitmapReadRowTest, RowsOutsideTheBitmapAreRefused) {
    TBitmap bitmap;
    bitmap.ChangeDepth(TPixelDepth::Bits24);
    bitmap.ResizeWidth(2);
    bitmap.ResizeHeight(2);
    EXPECT_THROW(bitmap.ReadScanRow(-1), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.ReadScanRow(2), EInvalidGraphicOperation);
}
