#pragma once
// Regions as metafile records carry them: a RegionData block of rectangles, turned into output
// pixels through a transform.

#include <QRectF>
#include <QRegion>
#include <QTransform>

#include "platform/metafile/RecordReader.h"

namespace platform {

// The output pixels a rectangle covers under a transform: a rectangle when the transform keeps
// axes, a polygon otherwise. Right and bottom edges are exclusive. Empty when the rectangle maps
// beyond the drawable coordinates.
QRegion RegionOf(const QRectF& rect, const QTransform& t);

// The union of the rectangles of the RegionData block `data` (header and rectangles) mapped by
// `t`. At most the region-rectangle limit is read; rectangles beyond the block are not.
QRegion RegionFromData(const RecordReader& data, const QTransform& t);

}  // namespace platform
