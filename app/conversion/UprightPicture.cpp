#include "app/conversion/UprightPicture.h"

#include "formats/RasterImage.h"
#include "graphics/ExifOrientation.h"
#include "graphics/Orientation.h"
#include "graphics/Picture.h"
#include "jpeg/JPEGImage.h"
#include "jpeg/JpegOrientation.h"

void OrientUpright(TPicture& picture, bool autoOrient) {
    TGraphic* graphic = picture.CurrentGraphic();
    if (auto* raster = dynamic_cast<TRasterImage*>(graphic)) {
        raster->SetAutoOrient(autoOrient);
        return;
    }
    auto* jpeg = dynamic_cast<TJPEGImage*>(graphic);
    if (!autoOrient || !jpeg) return;
    const int orientation = jpeg::JpegOrientation(*jpeg);
    if (orientation == kOrientationUpright) return;
    const auto upright = OrientedBitmap(*jpeg->Decode(), orientation);
    picture.ReplaceGraphic(upright.get());
}

TPictureSize UprightSize(TPicture& picture, bool autoOrient) {
    if (auto* raster = dynamic_cast<TRasterImage*>(picture.CurrentGraphic())) raster->SetAutoOrient(autoOrient);
    const TPictureSize stored{picture.ImageWidth(), picture.ImageHeight()};
    const auto* jpeg = dynamic_cast<const TJPEGImage*>(picture.CurrentGraphic());
    if (autoOrient && jpeg && SwapsSides(jpeg::JpegOrientation(*jpeg))) return {stored.Height, stored.Width};
    return stored;
}
