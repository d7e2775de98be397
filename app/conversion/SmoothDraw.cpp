#include "app/conversion/SmoothDraw.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "app/conversion/SaveRoad.h"
#include "app/conversion/SmoothRows.h"
#include "formats/RasterImage.h"
#include "graphics/BgrRows.h"
#include "graphics/Canvas.h"
#include "graphics/Metafile.h"
#include "jpeg/DctScale.h"
#include "jpeg/JPEGImage.h"
#include "jpeg/JpegRowReader.h"

namespace {

constexpr std::int32_t kBandRows = 32;
// A JPEG is decoded at no less than this many times the result's size. Decoded at the result's
// size, the DCT scale alone would do the reduction, as an 8 x 8 block average that blurs and
// aliases where the filter would not; from twice the size the filter does the real work. On the
// large photos this comes 3 dB closer to a Lanczos reduction of the whole picture, for 0.03 s
// more of a 0.1 s conversion.
constexpr std::int32_t kDecodeMargin = 2;

void SizeBand(TBitmap& band, std::int32_t width, std::int32_t rows) {
    band.ChangeDepth(TPixelDepth::Bits24);
    band.ResizeWidth(width);
    band.ResizeHeight(rows);
}

// Finished target rows, gathered in a 24-bit band and copied into the working bitmap a band at
// a time.
class WorkingRows {
public:
    explicit WorkingRows(TBitmap& working) : working_(working) {
        SizeBand(band_, working.ImageWidth(), std::min(kBandRows, working.ImageHeight()));
    }

    void Add(std::int32_t row, const std::uint8_t* bgr) {
        if (held_ == 0) top_ = row;
        std::memcpy(band_.ScanRow(held_), bgr, std::size_t(working_.ImageWidth()) * 3);
        if (++held_ == band_.ImageHeight()) Flush();
    }

    void Flush() {
        if (held_ == 0) return;
        const std::int32_t width = working_.ImageWidth();
        working_.Canvas().CopyArea({0, top_, width, top_ + held_}, band_.Canvas(), {0, 0, width, held_});
        held_ = 0;
    }

private:
    TBitmap& working_;
    TBitmap band_;
    std::int32_t top_ = 0, held_ = 0;
};

TSmoothGeometry WholePicture(std::int32_t width, std::int32_t height, TBitmap& working) {
    return {width, height, double(width), double(height), working.ImageWidth(), working.ImageHeight()};
}

// A JPEG straight from its decoder, at the smallest DCT scale that holds twice the result; false,
// having drawn nothing, when the decoder declines to stream it.
bool SmoothJpeg(TJPEGImage& jpeg, WorkingRows& out, TBitmap& working) {
    if (jpeg.HeldBitmap() || jpeg.IsEmpty()) return false;
    const std::int32_t width = jpeg.ImageWidth(), height = jpeg.ImageHeight();
    const int eighths = jpeg::SmallestDctScale(width, height, working.ImageWidth() * kDecodeMargin,
                                               working.ImageHeight() * kDecodeMargin);
    TSmoothGeometry geometry =
        WholePicture(jpeg::DctScaledSide(width, eighths), jpeg::DctScaledSide(height, eighths), working);
    // A partly covered last pixel counts for the part of the picture it holds.
    geometry.extentX = double(width) * eighths / jpeg::DctScaleDenominator;
    geometry.extentY = double(height) * eighths / jpeg::DctScaleDenominator;
    TSmoothRows rows(geometry, [&out](std::int32_t row, const std::uint8_t* bgr) { out.Add(row, bgr); });
    const auto add = [&](std::int32_t row, const std::uint8_t* bgr, std::int32_t rowWidth) {
        if (rowWidth == geometry.sourceWidth) rows.Add(row, bgr);
    };
    return jpeg::StreamJpegRows(jpeg, add, {}, nullptr, {.scaleEighths = eighths, .grayAsBgr = true});
}

// A picture whose decoder hands over its rows (PNG, WebP), filtered as they come and brought to
// sRGB first; false, having drawn nothing, when it is to be drawn from a whole bitmap.
bool SmoothRowSource(TRowSource& source, TGraphic& graphic, WorkingRows& out, TBitmap& working) {
    const std::int32_t width = graphic.ImageWidth();
    TSmoothRows rows(WholePicture(width, graphic.ImageHeight(), working),
                     [&out](std::int32_t row, const std::uint8_t* bgr) { out.Add(row, bgr); });
    std::shared_ptr<const platform::IccTransform> toSrgb;  // handed out before the first row
    std::vector<std::uint8_t> converted;
    const auto add = [&](std::int32_t row, const std::uint8_t* bgr, std::int32_t rowWidth) {
        if (rowWidth != width) return;
        if (toSrgb) {
            converted.resize(std::size_t(width) * 3);
            toSrgb->Translate(bgr, converted.data(), std::size_t(width));
            bgr = converted.data();
        }
        rows.Add(row, bgr);
    };
    return source.StreamRows(add, {}, toSrgb);
}

// The rows of a bitmap as 24-bit colour, a band at a time.
void AddBitmapRows(TBitmap& source, TSmoothRows& rows) {
    const std::int32_t width = source.ImageWidth(), height = source.ImageHeight();
    if (source.CurrentDepth() == TPixelDepth::Bits24 && source.HandleKind() == THandleKind::DeviceIndependent) {
        for (std::int32_t y = 0; y < height; ++y) rows.Add(y, source.ReadScanRow(y));
        return;
    }
    TBitmap band;
    SizeBand(band, width, std::min(kBandRows, height));
    for (std::int32_t top = 0; top < height; top += band.ImageHeight()) {
        const std::int32_t count = std::min(band.ImageHeight(), height - top);
        band.Canvas().CopyArea({0, 0, width, count}, source.Canvas(), {0, top, width, top + count});
        for (std::int32_t y = 0; y < count; ++y) rows.Add(top + y, band.ScanRow(y));
    }
}

// The picture's own pixels in sRGB when it is a bitmap or decodes to one that covers it all;
// null for pictures drawn with transparency or by records.
TBitmap* DecodedPixels(TGraphic& graphic) {
    if (graphic.InheritsFrom(TJPEGImage::Class)) return static_cast<TJPEGImage&>(graphic).Decode();
    if (auto* raster = dynamic_cast<TRasterImage*>(&graphic)) return raster->Decode();
    if (graphic.InheritsFrom(TBitmap::Class) && !graphic.IsTransparent()) return static_cast<TBitmap*>(&graphic);
    return nullptr;
}

void SmoothPixels(TGraphic& graphic, WorkingRows& out, TBitmap& working) {
    TBitmap* pixels = DecodedPixels(graphic);
    std::unique_ptr<TBitmap> drawn;
    if (!pixels) {
        // Drawn once at its own size over white, as it would be drawn over the working bitmap.
        drawn = NewWorkingBitmap(graphic.ImageWidth(), graphic.ImageHeight());
        drawn->Canvas().StretchDrawGraphic({0, 0, graphic.ImageWidth(), graphic.ImageHeight()}, &graphic);
        pixels = drawn.get();
    }
    TSmoothRows rows(WholePicture(pixels->ImageWidth(), pixels->ImageHeight(), working),
                     [&out](std::int32_t row, const std::uint8_t* bgr) { out.Add(row, bgr); });
    AddBitmapRows(*pixels, rows);
}

}  // namespace

void DrawSmooth(TGraphic& graphic, TBitmap& working) {
    const std::int32_t width = working.ImageWidth(), height = working.ImageHeight();
    if (width <= 0 || height <= 0) return;
    if (graphic.InheritsFrom(TMetafile::Class) || graphic.ImageWidth() <= 0 || graphic.ImageHeight() <= 0)
        return working.Canvas().StretchDrawGraphic({0, 0, width, height}, &graphic);
    WorkingRows out(working);
    auto* rowSource = dynamic_cast<TRowSource*>(&graphic);
    const bool streamed = graphic.InheritsFrom(TJPEGImage::Class)
                              ? SmoothJpeg(static_cast<TJPEGImage&>(graphic), out, working)
                              : rowSource && SmoothRowSource(*rowSource, graphic, out, working);
    if (!streamed) SmoothPixels(graphic, out, working);
    out.Flush();
}
