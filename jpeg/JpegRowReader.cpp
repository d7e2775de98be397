#include "jpeg/JpegRowReader.h"

#include <vector>

#include "jpeg/CodecContext.h"
#include "jpeg/DecodeBudget.h"
#include "jpeg/DecompressorSetup.h"
#include "jpeg/JPEGImage.h"
#include "jpeg/JpegProfile.h"

namespace jpeg {
namespace {

bool DefaultSettings(const TJPEGImage& image) {
    return !image.HeldBitmap() && image.DataObject().ByteStream && image.DecodeDepth() == TJpegDepth::Depth24 &&
           image.DecodeScale() == TJpegScale::ScaleFull && !image.GrayOutput() && !image.IncrementalDisplay();
}

// Gray files quantise to a palette and CMYK files need their own conversion: both keep the
// held bitmap.
bool PlainColourOutput(j_decompress_ptr d) { return d->out_color_space == JCS_EXT_BGR && !d->quantize_colors; }

void ApplyOptions(j_decompress_ptr d, const RowStreamOptions& options) {
    if (options.scaleEighths != FullDctScale) {
        d->scale_num = unsigned(options.scaleEighths);
        d->scale_denom = DctScaleDenominator;
    }
    // Without the palette of the held bitmap, gray needs no quantising: the library repeats the
    // sample in all three bytes.
    if (options.grayAsBgr && d->out_color_space == JCS_GRAYSCALE) {
        d->out_color_space = JCS_EXT_BGR;
        d->quantize_colors = FALSE;
    }
}

// Rows are read one call at a time so that the sink runs outside the library's landing point.
void ReadRows(CodecContext& context, const platform::IccTransform* profile, const BgrRowSink& sink,
              const TRowWanted& wanted) {
    const j_decompress_ptr d = context.Decompress();
    std::vector<JSAMPLE> buffer(std::size_t(d->output_width) * 3);
    JSAMPROW row = buffer.data();
    while (d->output_scanline < d->output_height) {
        const auto index = std::int32_t(d->output_scanline);
        JDIMENSION read = 0;
        context.Call([d, &row, &read] { read = jpeg_read_scanlines(d, &row, 1); });
        if (read == 0) break;
        if (wanted && !wanted(index)) continue;  // a skipped row costs no colour conversion
        if (profile) profile->Translate(row, row, d->output_width);
        sink(index, row, std::int32_t(d->output_width));
    }
}

}  // namespace

bool StreamJpegRows(TJPEGImage& image, const BgrRowSink& sink, const TRowWanted& wanted,
                    std::shared_ptr<const platform::IccTransform>* toSrgb, const RowStreamOptions& options) {
    if (!DefaultSettings(image)) return false;
    CodecContext context(&image);
    SetUpDecompressor(context, image);
    const j_decompress_ptr d = context.Decompress();
    ApplyOptions(d, options);
    if (!PlainColourOutput(d)) return false;
    CheckDecodeCost(context, image.DataObject().ByteStream->Size());
    const auto profile = image.ColorManagement() ? ProfileTransform(d, false) : nullptr;
    if (toSrgb) *toSrgb = profile;
    CheckOutputComponents(context);
    context.Call([d] { jpeg_start_decompress(d); });
    try {
        ReadRows(context, toSrgb ? nullptr : profile.get(), sink, wanted);
    } catch (const EAbort&) {
        // Cancelled from a progress handler: the rows given so far stay, as in the held bitmap.
        return true;
    }
    context.Call([d] { jpeg_finish_decompress(d); });
    return true;
}

}  // namespace jpeg

bool TJPEGImage::StreamRows(const TBgrRowSink& sink, const TRowWanted& wanted,
                            std::shared_ptr<const platform::IccTransform>& toSrgb) {
    return jpeg::StreamJpegRows(*this, sink, wanted, &toSrgb);
}
