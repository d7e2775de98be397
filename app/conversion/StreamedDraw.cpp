#include "app/conversion/StreamedDraw.h"

#include <cstring>

#include "graphics/Canvas.h"
#include "jpeg/JPEGImage.h"
#include "jpeg/JpegRowReader.h"
#include "platform/AxisMap.h"

namespace {

// Target rows take source rows in rising order: each source row gives one run of target rows
// (none when shrinking skips it, several when enlarging repeats it).
class RowRuns {
public:
    RowRuns(std::int32_t targetHeight, std::int32_t sourceHeight)
        : map_({0, targetHeight, targetHeight}, {0, sourceHeight, sourceHeight}), next_(0) {}

    // The run [first, first + count) of target rows under source row `row`; count 0 for none.
    std::int32_t Take(std::int32_t row, std::int32_t& first) {
        while (next_ < map_.Count() && map_.Sample(next_) < row) ++next_;
        first = map_.First() + next_;
        std::int32_t count = 0;
        while (next_ < map_.Count() && map_.Sample(next_) == row) ++next_, ++count;
        return count;
    }

private:
    platform::AxisMap map_;
    std::int32_t next_;
};

}  // namespace

bool DrawStreamed(TGraphic& graphic, TBitmap& working) {
    if (!graphic.InheritsFrom(TJPEGImage::Class)) return false;
    auto& jpeg = static_cast<TJPEGImage&>(graphic);
    const std::int32_t width = working.ImageWidth(), height = working.ImageHeight();
    if (jpeg.HeldBitmap() || jpeg.IsEmpty() || width <= 0 || height <= 0) return false;
    const std::int32_t sourceWidth = jpeg.ImageWidth();
    RowRuns runs(height, jpeg.ImageHeight());
    // One source row as a bitmap of the held bitmap's depth, stretched over its run of target
    // rows: the columns are sampled exactly as from the whole picture.
    TBitmap line;
    line.ChangeDepth(TPixelDepth::Bits24);
    line.ResizeWidth(sourceWidth);
    line.ResizeHeight(1);
    TCanvas& canvas = working.Canvas();
    return jpeg::StreamJpegRows(jpeg, [&](std::int32_t row, const std::uint8_t* bgr, std::int32_t rowWidth) {
        std::int32_t first = 0;
        const std::int32_t count = runs.Take(row, first);
        if (count == 0 || rowWidth != sourceWidth) return;
        std::memcpy(line.ScanRow(0), bgr, std::size_t(rowWidth) * 3);
        canvas.StretchDrawGraphic({0, first, width, first + count}, &line);
    });
}
