#include "gif/GIFDIB.h"

#include <vector>

#include "gif/GIFItem.h"
#include "graphics/BitmapPalette.h"
#include "graphics/BmpFile.h"
#include "graphics/Streams.h"

namespace gif {
namespace {
constexpr const char* SUnsupportedPixelFormat = "Unsupported PixelFormat";
constexpr const char* SInvalidDimensions = "Invalid image dimensions";
constexpr const char* SScanLineRange = "Scan line index out of range";
constexpr const char* SNoDIB = "Image has no DIB";
constexpr const char* SNoDIBMemory = "Failed to allocate memory for GIF DIB";
constexpr int kColorTableEntries = 256;
constexpr int kRgbQuadSize = 4;

int BitsOf(TPixelDepth format) { return format == TPixelDepth::Bits8 ? 8 : 24; }
}  // namespace

void TDIB::CheckScanLine(int y) const {
    if (y < 0 || y >= height_) throw EInvalidGraphicOperation(SScanLineRange);
}

TDIBWriter::TDIBWriter(TBitmap& target, const platform::HPALETTE& palette, int height, int width, TPixelDepth format)
    : TDIB(&target, format), palette_(palette) {
    if (format != TPixelDepth::Bits8 && format != TPixelDepth::Bits24) RaiseGIFError(SUnsupportedPixelFormat);
    if (width <= 0 || height <= 0) RaiseGIFError(SInvalidDimensions);
    width_ = width;
    height_ = height;
}

TDIBWriter::~TDIBWriter() noexcept(false) {
    if (!finished_ && std::uncaught_exceptions() == 0) Finish();
}

// The whole BMP file in one block: file header, information header, colour table, rows. The
// 8-bit colour table holds just the palette's entries (256 zeros without a palette), so that the
// bitmap's palette, and any colour map made from it, keeps its size.
void TDIBWriter::Allocate() {
    const int bits = BitsOf(format_);
    std::vector<platform::RGBQUAD> entries;
    if (bits == 8) entries = ColorTableFromPalette(palette_, kColorTableEntries - 1);
    if (bits == 8 && entries.empty()) entries.resize(kColorTableEntries);
    const std::int64_t tableBytes = std::int64_t(entries.size()) * kRgbQuadSize;
    stride_ = RowStride(width_, bits);
    bitsOffset_ = bmp::kFileHeaderSize + bmp::kInfoHeaderSize + tableBytes;
    const std::int64_t size = bitsOffset_ + stride_ * height_;
    auto file = std::make_unique<TMemoryStream>();
    try {
        file->SetSize(size);
    } catch (const EStreamError&) {
        throw EOutOfMemory(SNoDIBMemory);
    }
    bmp::WriteFileHeader(*file, {bmp::kFileType, std::uint32_t(size), 0, 0, std::uint32_t(bitsOffset_)});
    file->WriteUInt32(bmp::kInfoHeaderSize);
    file->WriteInt32(width_);
    file->WriteInt32(height_);
    file->WriteUInt16(1);
    file->WriteUInt16(std::uint16_t(bits));
    file->WriteUInt32(platform::BI_RGB);
    for (int i = 0; i < 3; ++i) file->WriteUInt32(0);  // image size, horizontal and vertical resolution
    file->WriteUInt32(std::uint32_t(entries.size()));  // colours used, and all of them important
    file->WriteUInt32(std::uint32_t(entries.size()));
    for (const platform::RGBQUAD& e : entries) {
        const std::uint8_t quad[kRgbQuadSize] = {e.rgbBlue, e.rgbGreen, e.rgbRed, e.rgbReserved};
        file->WriteBuffer(quad, kRgbQuadSize);
    }
    file_ = std::move(file);
}

std::uint8_t* TDIBWriter::ScanLine(int y) {
    CheckScanLine(y);
    if (finished_) throw EInvalidGraphicOperation(SNoDIB);
    if (!file_) Allocate();
    return file_->Memory() + bitsOffset_ + stride_ * (height_ - 1 - y);
}

void TDIBWriter::Finish() {
    if (finished_) return;
    finished_ = true;
    if (!file_) Allocate();
    const std::unique_ptr<TMemoryStream> file = std::move(file_);
    file->SetPosition(0);
    bitmap_->LoadFromStream(*file);
}

TDIBReader::TDIBReader(TBitmap& source, TPixelDepth format) : TDIB(&copy_, format) {
    copy_.CopyFrom(&source);
    copy_.ChangeDepth(format);
    width_ = copy_.ImageWidth();
    height_ = copy_.ImageHeight();
}

const std::uint8_t* TDIBReader::ScanLine(int y) {
    CheckScanLine(y);
    return copy_.ReadScanRow(y);
}

}  // namespace gif
