#include "jpeg/DecompressorSetup.h"

#include <jerror.h>

#include "graphics/Streams.h"
#include "jpeg/JpegProfile.h"
#include "jpeg/JPEGImage.h"
#include "jpeg/StreamSource.h"

namespace jpeg {
namespace {

constexpr int QuantizedColors = 236;  // the palette's 256 less the 20 static colours

void ChooseColorOutput(j_decompress_ptr d, const TJPEGImage& image) {
    // CMYK and YCCK files stay CMYK: the library cannot make gray or quantised output of them.
    if (d->out_color_space == JCS_CMYK) return;
    if (image.GrayOutput()) d->out_color_space = JCS_GRAYSCALE;
    // Bitmap rows hold blue, green, red.
    if (d->out_color_space == JCS_RGB) d->out_color_space = JCS_EXT_BGR;
    if (image.DecodeDepth() == TJpegDepth::Depth8 || d->out_color_space == JCS_GRAYSCALE) {
        d->quantize_colors = TRUE;
        d->desired_number_of_colors = QuantizedColors;
    }
}

void ApplySettings(CodecContext& context, j_decompress_ptr d, const TJPEGImage& image) {
    d->scale_num = 1;
    d->scale_denom = 1u << unsigned(image.DecodeScale());
    d->do_block_smoothing = image.BlockSmoothing() ? TRUE : FALSE;
    d->dct_method = JDCT_FLOAT;
    ChooseColorOutput(d, image);
    if (image.DecodeSpeed() == TJpegSpeed::FavourSpeed) {
        d->dct_method = JDCT_IFAST;
        d->two_pass_quantize = FALSE;
        d->dither_mode = JDITHER_ORDERED;
    }
    context.finalDctMethod = d->dct_method;
    context.finalTwoPassQuantize = d->two_pass_quantize;
    context.finalDitherMode = d->dither_mode;
}

// Interim passes of incremental display are quick and coarse; the final pass gets the settings
// saved above.
void PrepareIncrementalDisplay(j_decompress_ptr d) {
    d->enable_2pass_quant = d->two_pass_quantize;
    d->dct_method = JDCT_IFAST;
    d->two_pass_quantize = FALSE;
    d->dither_mode = JDITHER_ORDERED;
    d->buffered_image = TRUE;
}

}  // namespace

JpegHeaderInfo ReadJpegHeader(TMemoryStream& bytes) {
    CodecContext context(nullptr);
    context.CreateDecompress();
    bytes.SetPosition(0);
    j_decompress_ptr d = context.Decompress();
    JpegHeaderInfo info;
    context.Call([&] {
        InstallStreamSource(d, bytes);
        jpeg_read_header(d, TRUE);
        info.progressive = jpeg_has_multiple_scans(d);
    });
    info.width = std::int32_t(d->image_width);
    info.height = std::int32_t(d->image_height);
    info.gray = d->jpeg_color_space == JCS_GRAYSCALE;
    return info;
}

void SetUpDecompressor(CodecContext& context, TJPEGImage& image) {
    context.CreateDecompress();
    TMemoryStream& bytes = *image.DataObject().ByteStream;
    bytes.SetPosition(0);
    j_decompress_ptr d = context.Decompress();
    context.Call([&] {
        InstallStreamSource(d, bytes);
        KeepProfileMarkers(d);
        jpeg_read_header(d, TRUE);
    });
    ApplySettings(context, d, image);
    bool multipleScans = false;
    if (image.IncrementalDisplay()) context.Call([&] { multipleScans = jpeg_has_multiple_scans(d); });
    if (multipleScans) PrepareIncrementalDisplay(d);
}

void CheckOutputComponents(CodecContext& context) {
    const j_decompress_ptr d = context.Decompress();
    context.Call([d] { jpeg_calc_output_dimensions(d); });
    int expected = 0;
    switch (d->out_color_space) {
    case JCS_GRAYSCALE: expected = 1; break;
    case JCS_EXT_BGR: expected = 3; break;
    case JCS_CMYK: expected = 4; break;
    default: break;
    }
    const int perPixel = d->quantize_colors ? 1 : expected;
    if (expected == 0 || d->out_color_components != expected || d->output_components != perPixel)
        throw EJPEG(JERR_CONVERSION_NOTIMPL);
}

JpegHeaderInfo ScaledSize(TJPEGImage& image) {
    CodecContext context(nullptr);
    SetUpDecompressor(context, image);
    j_decompress_ptr d = context.Decompress();
    JpegHeaderInfo info;
    context.Call([&] { jpeg_calc_output_dimensions(d); });
    info.width = std::int32_t(d->output_width);
    info.height = std::int32_t(d->output_height);
    return info;
}

}  // namespace jpeg
