// Encoding: the held bitmap, through a private copy, into fresh JPEG bytes.

#include <cstddef>
#include <string>

#include "jpeg/CodecContext.h"
#include "jpeg/JPEGImage.h"
#include "jpeg/StreamDestination.h"

namespace {

// Rows the compressor reads as they stand: their top row, the distance between rows and the
// bytes of a pixel.
struct ReadableRows {
    const std::uint8_t* top = nullptr;
    std::ptrdiff_t stride = 0;
    int pixelBytes = 3;
};

// Brings the private copy to rows the compressor reads as they stand: 24-bit rows (3 bytes a
// pixel) and 32-bit rows without bit fields (4: blue, green, red, unused, as a true-colour
// display surface has them) are read in place, a display surface without a read copy; anything
// else is first converted to 24 bits. The compressor turns both layouts into the same samples,
// so the file is the same.
ReadableRows RowsOf(TBitmap& pixels) {
    ReadableRows rows;
    switch (pixels.CurrentDepth()) {
    case TPixelDepth::Bits24: break;
    case TPixelDepth::Bits32: rows.pixelBytes = 4; break;
    case TPixelDepth::Device:
        if ((rows.top = pixels.ReadDeviceRows32(rows.stride))) {
            rows.pixelBytes = 4;
            return rows;
        }
        pixels.ChangeDepth(TPixelDepth::Bits24);
        break;
    default: pixels.ChangeDepth(TPixelDepth::Bits24); break;
    }
    rows.top = pixels.ReadScanRow(0);
    // A single row needs no distance (and has no row 1 to measure it by).
    rows.stride = pixels.ImageHeight() > 1 ? pixels.ReadScanRow(1) - rows.top : 0;
    return rows;
}

}  // namespace

class JpegEncoder {
public:
    explicit JpegEncoder(TJPEGImage& image) : image_(image), context_(&image) {}
    void Run();

private:
    void SetParameters(TBitmap& held, int pixelBytes);
    void Compress(const ReadableRows& rows);
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
    // Rows are only read, so the private copy keeps sharing the held bitmap's pixels; the copy's
    // reference keeps them alive even if a progress handler changes the held bitmap.
    const ReadableRows rows = RowsOf(pixels);
    SetParameters(*held, rows.pixelBytes);
    Compress(rows);
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

void JpegEncoder::Compress(const ReadableRows& rows) {
    Report(TProgressStage::psStarting, 0);
    std::exception_ptr failure;
    try {
        WriteRows(rows.top, rows.stride);
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
