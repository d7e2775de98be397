#include "app/conversion/StreamedDraw.h"

#include <algorithm>
#include <cstring>

#include "graphics/Canvas.h"
#include "jpeg/JPEGImage.h"
#include "jpeg/JpegRowReader.h"
#include "platform/AxisMap.h"
#include "platform/Gdi.h"

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

// Sampled source rows gathered one per target row, then stretched across in one blit per band:
// the rows map one to one, and the columns are sampled exactly as from the whole picture.
class RowBand {
public:
    RowBand(TBitmap& working, std::int32_t sourceWidth)
        : working_(working), width_(sourceWidth), rows_(std::min(kBandRows, working.ImageHeight())) {
        band_.ChangeDepth(TPixelDepth::Bits24);  // the depth the decoded bitmap has
        band_.ResizeWidth(sourceWidth);
        band_.ResizeHeight(rows_);
    }

    void Add(std::int32_t targetRow, const std::uint8_t* bgr) {
        if (filled_ > 0 && first_ + filled_ != targetRow) Flush();
        if (filled_ == 0) first_ = targetRow;
        std::memcpy(band_.ScanRow(filled_), bgr, std::size_t(width_) * 3);
        if (++filled_ == rows_) Flush();
    }

    void Flush() {
        if (filled_ == 0) return;
        TCanvas& target = working_.Canvas();
        // A 24-bit bitmap draws onto a colour surface with this mode.
        platform::SetStretchBltMode(target.Handle(), platform::COLORONCOLOR);
        target.CopyArea({0, first_, working_.ImageWidth(), first_ + filled_}, band_.Canvas(), {0, 0, width_, filled_});
        filled_ = 0;
    }

private:
    static constexpr std::int32_t kBandRows = 32;
    TBitmap& working_;
    TBitmap band_;
    std::int32_t width_, rows_, first_ = 0, filled_ = 0;
};

}  // namespace

bool DrawStreamed(TGraphic& graphic, TBitmap& working) {
    if (!graphic.InheritsFrom(TJPEGImage::Class)) return false;
    auto& jpeg = static_cast<TJPEGImage&>(graphic);
    const std::int32_t width = working.ImageWidth(), height = working.ImageHeight();
    if (jpeg.HeldBitmap() || jpeg.IsEmpty() || width <= 0 || height <= 0) return false;
    // Palette surfaces take the picture halftoned, from the whole of it.
    if (platform::GetDeviceCaps(working.Canvas().Handle(), platform::BITSPIXEL) <= 8) return false;
    const std::int32_t sourceWidth = jpeg.ImageWidth();
    RowRuns runs(height, jpeg.ImageHeight());
    RowBand band(working, sourceWidth);
    const bool streamed =
        jpeg::StreamJpegRows(jpeg, [&](std::int32_t row, const std::uint8_t* bgr, std::int32_t rowWidth) {
            std::int32_t first = 0;
            const std::int32_t count = runs.Take(row, first);
            if (rowWidth != sourceWidth) return;
            for (std::int32_t i = 0; i < count; ++i) band.Add(first + i, bgr);
        });
    band.Flush();
    return streamed;
}
