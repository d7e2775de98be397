#include "jpeg/DecodeBudget.h"

#include <jerror.h>

#include "jpeg/JPEGImage.h"
#include "jpeg/JpegLimits.h"

namespace jpeg {
namespace {

constexpr std::int64_t CoefficientBlockBytes = DCTSIZE2 * sizeof(JCOEF);

std::int64_t RoundUp(std::int64_t value, std::int64_t step) { return (value + step - 1) / step * step; }

// The coefficient buffers of a multi-scan file hold every block, padded to whole MCUs.
std::int64_t CoefficientBytes(j_decompress_ptr d) {
    std::int64_t blocks = 0;
    for (int i = 0; i < d->num_components; ++i) {
        const jpeg_component_info& c = d->comp_info[i];
        blocks += RoundUp(c.width_in_blocks, c.h_samp_factor) * RoundUp(c.height_in_blocks, c.v_samp_factor);
    }
    return blocks * CoefficientBlockBytes;
}

// Bytes of memory that decoding a file of `fileBytes` bytes may use.
std::int64_t DecodeBudget(std::int64_t fileBytes) { return MinJpegBudget + JpegBudgetPerFileByte * fileBytes; }

// Bytes that decoding with the decompressor's settings will take: the bitmap's rows and the
// library's whole-picture buffers (coefficients of multi-scan files, two-pass quantisation).
std::int64_t DecodeCost(j_decompress_ptr d) {
    const std::int64_t pixels = std::int64_t(d->output_width) * d->output_height;
    std::int64_t cost = pixels * (d->quantize_colors ? 1 : 3);
    if (jpeg_has_multiple_scans(d) || d->buffered_image) cost += CoefficientBytes(d);
    if (d->quantize_colors && (d->two_pass_quantize || d->enable_2pass_quant)) cost += pixels * d->out_color_components;
    return cost;
}

// Raises EJPEG when decoding would cost more than the file's budget; otherwise holds the
// library to its share of the budget.
void ApplyDecodeBudget(CodecContext& context, std::int64_t fileBytes) {
    const j_decompress_ptr d = context.Decompress();
    context.Call([d] { jpeg_calc_output_dimensions(d); });
    const std::int64_t budget = DecodeBudget(fileBytes);
    if (DecodeCost(d) > budget) throw EJPEG(JERR_INPUT_EOF);
    const std::int64_t bitmapBytes = std::int64_t(d->output_width) * d->output_height * 3;
    d->mem->max_memory_to_use = long(budget - bitmapBytes > MinJpegBudget ? budget - bitmapBytes : MinJpegBudget);
}

}  // namespace

// The library's buffers grow with the coded picture, whatever scale the output has.
void CheckDecodeCost(CodecContext& context, std::int64_t fileBytes) {
    const j_decompress_ptr d = context.Decompress();
    if (std::int64_t(d->image_width) * std::int64_t(d->image_height) > MaxJpegPixels) throw EJPEG(JERR_IMAGE_TOO_BIG);
    ApplyDecodeBudget(context, fileBytes);
}

}  // namespace jpeg
