// Bitmaps inside records: the header and colour table read from the record, the pixels converted
// by the raster service's own DIB conversion.
#include "platform/metafile/DibImage.h"

#include <algorithm>
#include <QPainter>
#include <cstring>

#include "platform/DibHeader.h"
#include "platform/PixelFormat.h"
#include "platform/RleDecoder.h"
#include "platform/Surface.h"
#include "platform/metafile/MetafileLimits.h"

namespace platform {

namespace {

constexpr std::int64_t kFar = 1 << 28;  // beyond any bitmap a record may carry

// The header, masks and colour table of a BITMAPINFO block; false when it is not one.
bool ReadInfo(const RecordReader& bmi, BITMAPINFO& info) {
    const std::uint32_t size = bmi.U32(0);
    if (size != kCoreHeaderSize && size < kInfoHeaderSize) return false;
    bmi.Block(0, std::min(size, kInfoHeaderSize), 1);  // the basic fields lie inside the block, or BadRecord
    const DibHeader header = ParseDibHeader(bmi.Block(0, std::min<std::size_t>(size, bmi.Size()), 1));
    BITMAPINFOHEADER& h = info.bmiHeader;
    h = header.fields;
    std::size_t tableAt = size;
    const std::size_t entrySize = header.ColorEntrySize();
    if (h.biCompression == BI_BITFIELDS) {
        info.bmiMasks = header.MasksFollow() ? std::array{bmi.U32(40), bmi.U32(44), bmi.U32(48)} : header.masks;
        if (header.MasksFollow()) tableAt += 12;
    }
    h.biSize = kInfoHeaderSize;
    if (h.biBitCount > 8) return true;
    std::uint32_t entries = h.biClrUsed ? h.biClrUsed : (1u << h.biBitCount);
    entries = std::min<std::uint32_t>(entries, 1u << h.biBitCount);
    // A table cut short by the header block keeps the entries it has.
    if (bmi.Size() < tableAt) return false;
    entries = std::min<std::uint32_t>(entries, std::uint32_t((bmi.Size() - tableAt) / entrySize));
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::size_t at = tableAt + i * entrySize;
        info.bmiColors.push_back(RGBQUAD{bmi.U8(at), bmi.U8(at + 1), bmi.U8(at + 2), 0});
    }
    h.biClrUsed = entries;
    return true;
}

// Uncompressed bits that end before the last row's pixels mark a damaged record; decoding it would
// only make a large, mostly empty bitmap. The last row may lack its padding.
bool HoldsRows(const BITMAPINFOHEADER& h, std::size_t bytes) {
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return true;
    const std::uint64_t rows = std::uint64_t(std::abs(h.biHeight));
    return bytes >= RowBytes(h.biWidth, h.biBitCount, 4) * (rows - 1) + RowBytes(h.biWidth, h.biBitCount, 1);
}

RGBQUAD Quad(COLORREF c) { return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0}; }

// 32-bit pixels with their alpha byte, which the raster service's surfaces do not keep.
QImage WithAlpha(const BITMAPINFOHEADER& h, std::span<const std::uint8_t> bits) {
    const int width = h.biWidth, height = std::abs(h.biHeight);
    const std::size_t stride = std::size_t(width) * 4;
    if (bits.size() / stride < std::size_t(height)) return {};
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) return {};
    for (int y = 0; y < height; ++y) {
        const int stored = h.biHeight < 0 ? y : height - 1 - y;
        std::memcpy(image.scanLine(y), bits.data() + std::size_t(stored) * stride, stride);
    }
    return image;
}

QImage Converted(BITMAPINFO& info, std::span<const std::uint8_t> bits) {
    const BITMAPINFOHEADER h = info.bmiHeader;
    const HBITMAP surface = CreateDIBitmap(nullptr, &h, CBM_INIT, bits.data(), bits.size(), info, DIB_RGB_COLORS);
    if (!surface) return {};
    QImage image(surface->Width(), surface->Height(), QImage::Format_RGB32);
    if (image.isNull()) return {};
    BITMAPINFO out;
    out.bmiHeader.biSize = 40;
    out.bmiHeader.biWidth = surface->Width();
    out.bmiHeader.biHeight = -surface->Height();
    out.bmiHeader.biPlanes = 1;
    out.bmiHeader.biBitCount = 32;
    if (GetDIBits(nullptr, surface, 0, unsigned(surface->Height()), image.bits(), out, DIB_RGB_COLORS) <= 0) return {};
    return image;
}

// The stored rows a run-length bitmap's data reaches, lowest and highest.
class ReachSink : public RleRowSink {
public:
    void Row(std::int32_t storedRow, const std::uint8_t*, const std::uint8_t*) override {
        low = std::min(low, storedRow);
        high = std::max(high, storedRow);
    }
    std::int32_t low = INT32_MAX, high = -1;
};

// Writes decoded run-length rows into the part of the image from stored row `low` on; pixels
// the data does not set stay transparent.
class PartSink : public RleRowSink {
public:
    PartSink(QImage& image, const std::vector<RGBQUAD>& colors, std::int32_t low)
        : image_(image), colors_(colors), low_(low) {}
    void Row(std::int32_t storedRow, const std::uint8_t* indices, const std::uint8_t* set) override {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(image_.height() - 1 - (storedRow - low_)));
        for (int x = 0; x < image_.width(); ++x) {
            if (!set[x]) continue;
            const RGBQUAD c = indices[x] < colors_.size() ? colors_[indices[x]] : RGBQUAD{};
            row[x] = qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
        }
    }

private:
    QImage& image_;
    const std::vector<RGBQUAD>& colors_;
    std::int32_t low_;
};

// A run-length bitmap (always stored bottom row first): the data is run once to find the rows
// it reaches, and only those are made and decoded.
PartialDib RunLengthPart(const BITMAPINFO& info, std::span<const std::uint8_t> bits, BitmapBudget& budget) {
    const BITMAPINFOHEADER& h = info.bmiHeader;
    const int bitsPerPixel = h.biCompression == BI_RLE8 ? 8 : 4;
    PartialDib part{{}, {}, QSize(h.biWidth, h.biHeight)};
    ReachSink reach;
    RleDecoder(bitsPerPixel, h.biWidth, h.biHeight).Decode(bits.data(), bits.size(), reach);
    if (reach.high < 0) return part;
    const std::int32_t rows = reach.high - reach.low + 1;
    if (!budget.Take(std::uint64_t(h.biWidth) * std::uint64_t(rows))) return part;
    QImage image(h.biWidth, rows, QImage::Format_ARGB32);
    if (image.isNull()) return part;
    image.fill(Qt::transparent);
    PartSink sink(image, info.bmiColors, reach.low);
    RleDecoder(bitsPerPixel, h.biWidth, h.biHeight).Decode(bits.data(), bits.size(), sink);
    part.image = std::move(image);
    part.area = QRect(0, h.biHeight - 1 - reach.high, h.biWidth, rows);
    return part;
}

bool RunLength(const BITMAPINFOHEADER& h) {
    return (h.biCompression == BI_RLE8 && h.biBitCount == 8) || (h.biCompression == BI_RLE4 && h.biBitCount == 4);
}

}  // namespace

bool BitmapBudget::Take(std::uint64_t pixels) {
    if (pixels > left_) {
        exhausted_ = true;
        return false;
    }
    left_ -= pixels;
    return true;
}

void PartialDib::Mirror(bool flipX, bool flipY) {
    if (!flipX && !flipY) return;
    if (!image.isNull()) image = image.mirrored(flipX, flipY);
    if (flipX) area.moveLeft(size.width() - area.left() - area.width());
    if (flipY) area.moveTop(size.height() - area.top() - area.height());
}

PartialDib PartFromRecord(const RecordReader& r, DibFields fields, COLORREF textColor, COLORREF bkColor,
                          BitmapBudget& budget, bool monochrome) {
    const std::uint32_t cbBmi = r.U32(fields.at + 4), cbBits = r.U32(fields.at + 12);
    if (cbBmi == 0 || cbBits == 0) return {};
    const RecordReader bmi = r.Sub(r.U32(fields.at), cbBmi);
    const auto bits = r.Block(r.U32(fields.at + 8), cbBits, 1);
    BITMAPINFO info;
    if (!ReadInfo(bmi, info)) return {};
    const BITMAPINFOHEADER& h = info.bmiHeader;
    if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN ||
        std::uint64_t(h.biWidth) * std::uint64_t(std::abs(h.biHeight)) > kMaxRecordBitmapPixels)
        return {};
    if (h.biBitCount == 1 && (monochrome || info.bmiColors.empty())) info.bmiColors = {Quad(textColor), Quad(bkColor)};
    if (RunLength(h)) return h.biHeight > 0 ? RunLengthPart(info, bits, budget) : PartialDib{};
    if (!HoldsRows(h, bits.size())) return {};
    const QSize size(h.biWidth, std::abs(h.biHeight));
    if (!budget.Take(std::uint64_t(size.width()) * std::uint64_t(size.height()))) return {};
    QImage image = h.biBitCount == 32 && h.biCompression == BI_RGB ? WithAlpha(h, bits) : Converted(info, bits);
    return PartialDib{std::move(image), QRect(QPoint(0, 0), size), size};
}

QImage DibFromRecord(const RecordReader& r, DibFields fields, COLORREF textColor, COLORREF bkColor,
                     BitmapBudget& budget, bool monochrome) {
    PartialDib part = PartFromRecord(r, fields, textColor, bkColor, budget, monochrome);
    if (part.image.isNull() || part.area == QRect(QPoint(0, 0), part.size)) return std::move(part.image);
    const auto pixels = [](QSize s) { return std::uint64_t(s.width()) * std::uint64_t(s.height()); };
    if (!budget.Take(pixels(part.size) - pixels(part.area.size()))) return {};
    QImage whole(part.size, QImage::Format_ARGB32);
    if (whole.isNull()) return {};
    whole.fill(Qt::transparent);
    QPainter(&whole).drawImage(part.area.topLeft(), part.image);
    return whole;
}

QPoint MaskOffset(std::int32_t xMask, std::int32_t yMask, std::int32_t xSrc, std::int32_t ySrc) {
    const auto apart = [](std::int64_t a, std::int64_t b) { return int(std::clamp(a - b, -kFar, kFar)); };
    return QPoint(apart(xMask, xSrc), apart(yMask, ySrc));
}

void MaskOut(QImage& image, const QImage& mask, QPoint offset) {
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QImage gray = mask.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const int my = y + offset.y();
        const std::uint8_t* marks = my >= 0 && my < gray.height() ? gray.constScanLine(my) : nullptr;
        for (int x = 0; x < image.width(); ++x) {
            const int mx = x + offset.x();
            if (!marks || mx < 0 || mx >= gray.width() || marks[mx] < 128) row[x] = 0;
        }
    }
}

}  // namespace platform
