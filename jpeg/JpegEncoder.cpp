// Encoding: the held bitmap, through a private copy, into fresh JPEG bytes.

#include <cstddef>
#include <cstdlib>
#include <string>

#include "jpeg/CodecContext.h"
#include "jpeg/JPEGImage.h"
#include "jpeg/StreamDestination.h"

namespace {

// Whether the rows ReadScanRow gives of a display surface (a read copy at the surface's own
// depth, without bit fields) take four bytes a pixel: from four pixels wide on, no other depth's
// padded rows are that long.
bool ReadCopyHas32Bits(TBitmap& pixels) {
    const std::int32_t width = pixels.ImageWidth();
    if (width < 4 || pixels.ImageHeight() < 2) return false;
    return std::abs(pixels.ReadScanRow(1) - pixels.ReadScanRow(0)) == std::ptrdiff_t(width) * 4;
}

// Brings the private copy to rows the compressor reads as they are and returns the bytes of a
// pixel: 24-bit rows (3) and 32-bit rows without bit fields (4: blue, green, red, unused, as a
// true-colour display surface's read copy has them) are read in place; anything else is first
// converted to 24 bits. The compressor turns both layouts into the same samples, so the file is
// the same.
int ReadableRows(TBitmap& pixels) {
    switch (pixels.CurrentDepth()) {
    case TPixelDepth::Bits24: return 3;
    case TPixelDepth::Bits32: return 4;
    case TPixelDepth::Device:
        if (ReadCopyHas32Bits(pixels)) return 4;
        break;
    default: break;
    }
    pixels.ChangeDepth(TPixelDepth::Bits24);
    return 3;
}

}  // namespace

class JpegEncoder {
public:
    explicit JpegEncoder(TJPEGImage& image) : image_(image), context_(&image) {}
    void Run();

private:
    void SetParameters(TBitmap& held, int pixelBytes);
    void Compress(TBitmap& pixels);
    void WriteRows(const std::uint8_t* top, std::ptrdiff_t stride);
    void Report(TProgressStage stage, std::uint8_t percent) {
        image_.ReportProgress(&image_, stage, percent, false, TRect{}, std::string());
    }

    TJPEGImage& image_;
    jpeg::CodecContext context_;
};

void JpegEncoder::Run() {
    context_.CreateCompress();
    if (image_.Bytes()) image_.ReplaceData();
    image_.data_->ByteStream = std::make_unique<TMemoryStream>();
    j_compress_ptr c = context_.Compress();
    TMemoryStream& bytes = *image_.Bytes();
    context_.Call([&] { jpeg::InstallStreamDestination(c, bytes); });
    TBitmap* held = image_.heldBitmap_.Converted();
    if (!held || held->ImageWidth() == 0 || held->ImageHeight() == 0) return;
    TBitmap pixels;
    pixels.CopyFrom(held);
    SetParameters(*held, ReadableRows(pixels));
    Compress(pixels);
}

void JpegEncoder::SetParameters(TBitmap& held, int pixelBytes) {
    j_compress_ptr c = context_.Compress();
    c->image_width = JDIMENSION(held.ImageWidth());
    c->image_height = JDIMENSION(held.ImageHeight());
    image_.data_->PixelWidth = held.ImageWidth();
    image_.data_->PixelHeight = held.ImageHeight();
    c->input_components = pixelBytes;
    // Bitmap rows hold blue, green, red (and an unused byte).
    c->in_color_space = pixelBytes == 4 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    const int quality = image_.JpegQuality;
    const bool gray = image_.GrayOutput();
    const bool progressive = image_.WriteProgressive;
    if (gray) image_.data_->IsGray = true;
    context_.Call([&] {
        jpeg_set_defaults(c);
        c->dct_method = JDCT_FLOAT;
        jpeg_set_quality(c, quality, TRUE);
        if (gray) jpeg_set_colorspace(c, JCS_GRAYSCALE);
        if (progressive) jpeg_simple_progression(c);
    });
}

void JpegEncoder::Compress(TBitmap& pixels) {
    // Rows are only read, so the private copy keeps sharing the held bitmap's pixels; the copy's
    // reference keeps them alive even if a progress handler changes the held bitmap.
    const std::uint8_t* const top = pixels.ReadScanRow(0);
    // A single row needs no distance (and has no row 1 to measure it by).
    const std::ptrdiff_t stride = pixels.ImageHeight() > 1 ? pixels.ReadScanRow(1) - top : 0;
    Report(TProgressStage::psStarting, 0);
    std::exception_ptr failure;
    try {
        WriteRows(top, stride);
    } catch (...) {
        failure = std::current_exception();
    }
    Report(TProgressStage::psEnding, failure ? 0 : 100);
    if (!failure) return;
    try {
        std::rethrow_exception(failure);
    } catch (const EAbort&) {
        image_.ReplaceData();  // a cancelled encoding leaves no partial file behind
    }
}

void JpegEncoder::WriteRows(const std::uint8_t* top, std::ptrdiff_t stride) {
    j_compress_ptr c = context_.Compress();
    context_.Call([&] {
        jpeg_start_compress(c, TRUE);
        // The compressor reads its input rows and never writes them.
        JSAMPROW row = const_cast<JSAMPROW>(top);
        while (c->next_scanline < c->image_height) {
            const JDIMENSION written = jpeg_write_scanlines(c, &row, 1);
            if (written == 0) break;  // the finish below then reports the missing rows
            row += std::ptrdiff_t(written) * stride;
        }
        jpeg_finish_compress(c);
    });
}

void TJPEGImage::Encode() { JpegEncoder(*this).Run(); }

void TJPEGImage::EnsureEncoded() {
    if (!Bytes()) Encode();
}

void TJPEGImage::SaveToStream(TStream& stream) {
    EnsureEncoded();
    // A target that takes fewer bytes than the file has must not pass for a written file.
    stream.WriteBuffer(Bytes()->Memory(), Bytes()->Size());
}
