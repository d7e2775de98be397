#pragma once
// A device-independent bitmap carried inside a metafile record, decoded to a 32-bit image.

#include <QImage>
#include <cstddef>

#include "platform/GdiTypes.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

// The bitmap whose header offset, header size, bits offset and bits size are the u32 fields at
// the given record offsets. Monochrome bitmaps without a colour table take the text colour for 0
// and the background colour for 1. 32-bit bitmaps keep their alpha byte (ARGB32 premultiplied);
// all others come out opaque. A null image when the bitmap is absent, damaged or too large.
QImage DibFromRecord(const RecordReader& r, std::size_t offBmiAt, std::size_t cbBmiAt, std::size_t offBitsAt,
                     std::size_t cbBitsAt, COLORREF textColor, COLORREF bkColor);

// Where the source's mask lies beside the source: (xMask, yMask) less (xSrc, ySrc), kept within
// sound pixel coordinates.
QPoint MaskOffset(std::int32_t xMask, std::int32_t yMask, std::int32_t xSrc, std::int32_t ySrc);
// Makes transparent (ARGB32) the pixels of `image` whose mask pixel, `offset` further on in
// `mask`, is dark or outside the mask.
void MaskOut(QImage& image, const QImage& mask, QPoint offset);

}  // namespace platform
