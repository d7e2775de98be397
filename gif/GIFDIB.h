#pragma once
// Device-independent pixel rows of a bitmap: TDIBWriter forms an 8- or 24-bit BMP in memory and
// hands it to a bitmap when done; TDIBReader gives any bitmap's rows at a chosen depth.

#include <cstdint>
#include <memory>

#include "graphics/Bitmap.h"
#include "platform/Gdi.h"

class TMemoryStream;

namespace gif {

class TDIB {
public:
    TDIB(const TDIB&) = delete;
    TDIB& operator=(const TDIB&) = delete;

    TPixelDepth PixelFormat() const { return format_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

protected:
    TDIB(TBitmap* bitmap, TPixelDepth format) : bitmap_(bitmap), format_(format) {}
    ~TDIB() = default;
    // EInvalidGraphicOperation "Scan line index out of range" unless 0 <= y < height.
    void CheckScanLine(int y) const;

    TBitmap* bitmap_;
    TPixelDepth format_;
    int width_ = 0, height_ = 0;
};

// Rows written top first into a bottom-up BMP held in memory. Finish (or destroying the writer
// when no failure is unwinding) loads the BMP into the target bitmap and frees the memory.
class TDIBWriter : public TDIB {
public:
    // Only 8 and 24 bits per pixel; an 8-bit colour table holds the palette's entries in order.
    TDIBWriter(TBitmap& target, const platform::HPALETTE& palette, int height, int width, TPixelDepth format);
    ~TDIBWriter() noexcept(false);

    // Row y (0 is the top row), made on first use of any row, all zero at first.
    std::uint8_t* ScanLine(int y);
    void Finish();

private:
    void Allocate();

    platform::HPALETTE palette_;
    std::unique_ptr<TMemoryStream> file_;
    std::int64_t bitsOffset_ = 0, stride_ = 0;
    bool finished_ = false;
};

// Rows of a copy of the bitmap forced to the given depth; the bitmap itself is left as it is.
class TDIBReader : public TDIB {
public:
    TDIBReader(TBitmap& source, TPixelDepth format);
    const std::uint8_t* ScanLine(int y);

private:
    TBitmap copy_;
};

}  // namespace gif
