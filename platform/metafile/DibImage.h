#pragma once
// A device-independent bitmap carried inside a metafile record, decoded to a 32-bit image.

#include <QImage>
#include <cstddef>
#include <cstdint>

#include "platform/GdiTypes.h"
#include "platform/metafile/DibFields.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

// Pixels of record bitmaps one playback may decode; bitmaps beyond it are skipped.
class BitmapBudget {
public:
    explicit BitmapBudget(std::uint64_t pixels) : left_(pixels) {}
    // Takes `pixels` from what is left; false (taking nothing) when they do not fit.
    bool Take(std::uint64_t pixels);
    bool Exhausted() const { return exhausted_; }

private:
    std::uint64_t left_;
    bool exhausted_ = false;
};

// A decoded bitmap of `size` pixels of which only `area` (top-down coordinates) was decoded:
// run-length bitmaps are decoded only as far as their data reaches, and what lies outside
// `area` is not drawn. Other bitmaps are decoded whole.
struct PartialDib {
    QImage image;  // area.size() pixels
    QRect area;
    QSize size;
    // Turns the bitmap over horizontally and/or vertically, the decoded part with it.
    void Mirror(bool flipX, bool flipY);
};

// The bitmap at `fields`, decoded only where run-length data reaches. Monochrome bitmaps without
// a colour table take the text colour for 0 and the background colour for 1. 32-bit bitmaps keep
// their alpha byte (ARGB32 premultiplied); all others come out opaque, except the pixels a
// run-length bitmap leaves unset, which are transparent. A null image when the bitmap is absent,
// damaged, too large or beyond the budget.
PartialDib PartFromRecord(const RecordReader& r, DibFields fields, COLORREF textColor, COLORREF bkColor,
                          BitmapBudget& budget, bool monochrome = false);

// The same bitmap decoded whole (pixels a run-length bitmap leaves unset are transparent).
// `monochrome`: a 1-bit bitmap takes the two colours whatever its own table says.
QImage DibFromRecord(const RecordReader& r, DibFields fields, COLORREF textColor, COLORREF bkColor,
                     BitmapBudget& budget, bool monochrome = false);

// Where the source's mask lies beside the source: (xMask, yMask) less (xSrc, ySrc), kept within
// sound pixel coordinates.
QPoint MaskOffset(std::int32_t xMask, std::int32_t yMask, std::int32_t xSrc, std::int32_t ySrc);
// Makes transparent (ARGB32) the pixels of `image` whose mask pixel, `offset` further on in
// `mask`, is dark or outside the mask.
void MaskOut(QImage& image, const QImage& mask, QPoint offset);

}  // namespace platform
