// Decoding: the JPEG bytes into the held bitmap, rows straight into its pixel memory.

#include <cstddef>
#include <string>
#include <vector>

#include <jerror.h>

#include "jpeg/CmykRows.h"
#include "jpeg/CodecContext.h"
#include "jpeg/DecodeBudget.h"
#include "jpeg/DecompressorSetup.h"
#include "jpeg/JPEGImage.h"
#include "jpeg/JpegLimits.h"
#include "jpeg/JpegPalette.h"
#include "jpeg/JpegProfile.h"

class JpegDecoder {
public:
    explicit JpegDecoder(TJPEGImage& image) : image_(image), context_(&image) {}
    void Run();

private:
    void DecodeRows();
    void AdoptHandedPalette();
    void InterimPasses();
    void StartFinalPass();
    void AdoptLibraryPalette();
    void TakeRowLayout();
    void ReadRows();
    void ReadCmykRows();
    void Report(TProgressStage stage, std::uint8_t percent, bool redraw) {
        image_.ReportProgress(&image_, stage, percent, redraw, TRect{}, std::string());
    }
    j_decompress_ptr Decompressor() { return context_.Decompress(); }

    TJPEGImage& image_;
    jpeg::CodecContext context_;
    TBitmap* bitmap_ = nullptr;
    bool libraryPalette_ = true;  // the bitmap takes the palette the library chooses
    bool paletteAdopted_ = false;
    std::uint8_t* top_ = nullptr;
    std::ptrdiff_t stride_ = 0;
    std::vector<JSAMPLE> cmykRow_;
    std::shared_ptr<const platform::IccTransform> profile_;  // to sRGB; null keeps the decoded rows
};

void JpegDecoder::Run() {
    image_.heldBitmap_ = std::make_unique<TBitmap>();
    bitmap_ = image_.heldBitmap_.get();
    jpeg::SetUpDecompressor(context_, image_);
    jpeg::CheckDecodeCost(context_, image_.DataObject().ByteStream->Size());
    if (image_.ColorManagement()) profile_ = jpeg::ProfileTransform(Decompressor(), image_.GrayOutput());
    // Colour rows are converted when they are drawn; CMYK rows have to be now.
    if (!jpeg::HasCmykOutput(Decompressor())) image_.heldBitmap_.SetPendingProfile(profile_);
    const bool eightBit = Decompressor()->quantize_colors;
    bitmap_->ChangeDepth(eightBit ? TPixelDepth::Bits8 : TPixelDepth::Bits24);
    Report(TProgressStage::psStarting, 0, false);
    std::exception_ptr failure;
    try {
        DecodeRows();
    } catch (...) {
        failure = std::current_exception();
    }
    Report(TProgressStage::psEnding, failure ? 0 : 100, image_.PaletteModified());
    if (image_.PaletteModified()) image_.NotifyChanged(&image_);
    if (!failure) return;
    try {
        std::rethrow_exception(failure);
    } catch (const EAbort&) {
        // Cancelled from a progress handler: the rows decoded so far stay.
    }
}

void JpegDecoder::DecodeRows() {
    const j_decompress_ptr d = Decompressor();
    AdoptHandedPalette();
    jpeg::CheckOutputComponents(context_);
    context_.Call([d] { jpeg_start_decompress(d); });
    if (jpeg::HasCmykOutput(d)) cmykRow_.resize(std::size_t(d->output_width) * 4);
    bitmap_->ResizeWidth(std::int32_t(d->output_width));
    bitmap_->ResizeHeight(std::int32_t(d->output_height));
    TakeRowLayout();
    const bool buffered = d->buffered_image;
    if (buffered) {
        InterimPasses();
        StartFinalPass();
    }
    // Incremental display with one-pass quantisation keeps the palette of its first pass.
    if ((!buffered || context_.finalTwoPassQuantize || !paletteAdopted_) && d->colormap && libraryPalette_)
        AdoptLibraryPalette();
    ReadRows();
    if (buffered) context_.Call([d] { jpeg_finish_output(d); });
    context_.Call([d] { jpeg_finish_decompress(d); });
}

void JpegDecoder::AdoptHandedPalette() {
    const HPALETTE& held = image_.heldPalette_;
    if (!held) return;
    if (image_.DecodeDepth() != TJpegDepth::Depth8) {
        image_.heldPalette_.reset();
        return;
    }
    // The library maps to a given colour map only for colour output; gray output gets its own
    // ramp, which the bitmap must then take.
    if (Decompressor()->out_color_space != JCS_EXT_BGR) return;
    if (!jpeg::ColormapFromPalette(context_, held)) return;
    bitmap_->AdoptPalette(jpeg::CopyPalette(held));
    libraryPalette_ = false;
}

void JpegDecoder::InterimPasses() {
    const j_decompress_ptr d = Decompressor();
    for (;;) {
        int status = 0;
        context_.Call([d, &status] { status = jpeg_consume_input(d); });
        if (status == JPEG_REACHED_EOI) break;
        context_.Call([d] { jpeg_start_output(d, d->input_scan_number); });
        if (d->progress->completed_passes == 0 && d->colormap && bitmap_->CurrentDepth() == TPixelDepth::Bits8 &&
            libraryPalette_)
            AdoptLibraryPalette();
        TakeRowLayout();
        ReadRows();
        context_.Call([d] { jpeg_finish_output(d); });
    }
}

void JpegDecoder::StartFinalPass() {
    const j_decompress_ptr d = Decompressor();
    d->dct_method = context_.finalDctMethod;
    d->dither_mode = context_.finalDitherMode;
    if (context_.finalTwoPassQuantize) {
        d->two_pass_quantize = TRUE;
        d->colormap = nullptr;  // the library chooses the colours afresh
    }
    context_.Call([d] { jpeg_start_output(d, d->input_scan_number); });
    TakeRowLayout();
}

// Adopting a palette rebuilds the bitmap's surface, so the row addresses change too.
void JpegDecoder::AdoptLibraryPalette() {
    bitmap_->AdoptPalette(jpeg::PaletteFromColormap(Decompressor()));
    image_.SetPaletteModified(true);
    paletteAdopted_ = true;
    TakeRowLayout();
}

void JpegDecoder::TakeRowLayout() {
    top_ = bitmap_->ScanRow(0);
    // A single row needs no distance (and has no row 1 to measure it by).
    stride_ = bitmap_->ImageHeight() > 1 ? bitmap_->ScanRow(1) - top_ : 0;
}

void JpegDecoder::ReadRows() {
    const j_decompress_ptr d = Decompressor();
    if (jpeg::HasCmykOutput(d)) return ReadCmykRows();
    std::uint8_t* const top = top_;
    const std::ptrdiff_t stride = stride_;
    context_.Call([d, top, stride] {
        while (d->output_scanline < d->output_height) {
            JSAMPROW row = top + std::ptrdiff_t(d->output_scanline) * stride;
            if (jpeg_read_scanlines(d, &row, 1) == 0) break;
        }
    });
}

void JpegDecoder::ReadCmykRows() {
    const j_decompress_ptr d = Decompressor();
    std::uint8_t* const top = top_;
    const std::ptrdiff_t stride = stride_;
    JSAMPROW buffer = cmykRow_.data();
    const bool inverted = d->saw_Adobe_marker;
    const bool gray = image_.GrayOutput();
    const platform::IccTransform* const profile = profile_.get();
    context_.Call([=] {
        while (d->output_scanline < d->output_height) {
            std::uint8_t* target = top + std::ptrdiff_t(d->output_scanline) * stride;
            JSAMPROW row = buffer;
            if (jpeg_read_scanlines(d, &row, 1) == 0) break;
            if (profile) profile->Translate(buffer, target, d->output_width);
            else jpeg::CmykRowToBgr(buffer, target, d->output_width, inverted, gray);
        }
    });
}

TBitmap* TJPEGImage::DecodeAsStored() {
    if (heldBitmap_) return heldBitmap_.get();
    // Nothing to read: the same failure as zero bytes.
    if (!Bytes()) throw EJPEG(JERR_INPUT_EMPTY);
    JpegDecoder(*this).Run();
    return heldBitmap_.get();
}

TBitmap* TJPEGImage::Decode() {
    DecodeAsStored();
    return heldBitmap_.Converted();
}
