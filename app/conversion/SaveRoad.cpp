#include "app/conversion/SaveRoad.h"

#include "app/conversion/AtomicFile.h"
#include "app/conversion/ConversionMessages.h"
#include "app/conversion/SmoothDraw.h"
#include "graphics/Streams.h"
#include "jpeg/JPEGImage.h"
#include "graphics/StreamedDraw.h"

std::unique_ptr<TBitmap> NewWorkingBitmap(std::int32_t width, std::int32_t height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->ResizeWidth(width);
    bitmap->ResizeHeight(height);
    return bitmap;
}

std::unique_ptr<TBitmap> MakeWorkingBitmap(TGraphic& graphic, std::int32_t width, std::int32_t height,
                                           TReduction reduction) {
    auto bitmap = NewWorkingBitmap(width, height);
    if (reduction == TReduction::Smooth) DrawSmooth(graphic, *bitmap);
    else if (!DrawStreamed(graphic, *bitmap)) bitmap->Canvas().StretchDrawGraphic({0, 0, width, height}, &graphic);
    return bitmap;
}

void RaiseEmptyResult(std::int32_t width, std::int32_t height) {
    throw EEmptyResult(Format(msg::SEmptyResult, int(width), int(height)));
}

void RequireDrawableSize(std::int32_t width, std::int32_t height) {
    if (IsEmptyResult(width, height)) RaiseEmptyResult(width, height);
}

void SaveJpeg(TBitmap& working, const TJpegOutput& output, const std::string& path, TPublish publish) {
    RequireDrawableSize(working.ImageWidth(), working.ImageHeight());
    TJPEGImage jpeg;
    jpeg.SetGrayOutput(output.Gray);
    jpeg.CopyFrom(&working);
    jpeg.JpegQuality = output.Quality;
    jpeg.Encode();
    jpeg.EnsureEncoded();
    // Written from where the compressor put them, without a further copy.
    TMemoryStream& bytes = *jpeg.DataObject().ByteStream;
    WriteFileAtomically(path, bytes.Memory(), std::size_t(bytes.Size()), publish);
}

void SaveConversion(TGraphic& graphic, const TResultSize& size, const TJpegOutput& output, const std::string& target,
                    TPublish publish) {
    RequireDrawableSize(size.Width, size.Height);
    const auto working = MakeWorkingBitmap(graphic, size.Width, size.Height, output.Reduction);
    SaveJpeg(*working, output, target, publish);
}
