#include "app/conversion/StreamedDraw.h"

#include <algorithm>
#include <cstring>
#include <memory>

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

    // Whether any target row lies under source row `row`; rows are asked in rising order.
    bool Wants(std::int32_t row) {
        while (next_ < map_.Count() && map_.Sample(next_) < row) ++next_;
        return next_ < map_.Count() && map_.Sample(next_) == row;
    }

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
    RowBand(TBitmap& working, std::int32_t sourceWidth, const std::shared_ptr<const platform::IccTransform>& toSrgb)
        : working_(working), toSrgb_(toSrgb), width_(sourceWidth), rows_(std::min(kBandRows, working.ImageHeight())) {
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
        if (toSrgb_) return FlushConverted();
        TCanvas& target = working_.Canvas();
        // A 24-bit bitmap draws onto a colour surface with this mode.
        platform::SetStretchBltMode(target.Handle(), platform::COLORONCOLOR);
        target.CopyArea({0, first_, working_.ImageWidth(), first_ + filled_}, band_.Canvas(), {0, 0, width_, filled_});
        filled_ = 0;
    }

private:
    // A photo with a colour profile: the columns are sampled into a band of the target's width
    // first, so only the pixels drawn are converted (a per-pixel conversion commutes with sampling).
    void FlushConverted() {
        const std::int32_t width = working_.ImageWidth();
        if (narrow_.ImageWidth() != width) {
            narrow_.ChangeDepth(TPixelDepth::Bits24);
            narrow_.ResizeWidth(width);
            narrow_.ResizeHeight(rows_);
        }
        platform::SetStretchBltMode(narrow_.Canvas().Handle(), platform::COLORONCOLOR);
        narrow_.Canvas().CopyArea({0, 0, width, filled_}, band_.Canvas(), {0, 0, width_, filled_});
        for (std::int32_t y = 0; y < filled_; ++y) {
            std::uint8_t* row = narrow_.ScanRow(y);
            toSrgb_->Translate(row, row, std::size_t(width));
        }
        TCanvas& target = working_.Canvas();
        platform::SetStretchBltMode(target.Handle(), platform::COLORONCOLOR);
        target.CopyArea({0, first_, width, first_ + filled_}, narrow_.Canvas(), {0, 0, width, filled_});
        filled_ = 0;
    }

    static constexpr std::int32_t kBandRows = 32;
    TBitmap& working_;
    const std::shared_ptr<const platform::IccTransform>& toSrgb_;
    TBitmap narrow_;
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
    std::shared_ptr<const platform::IccTransform> toSrgb;
    RowBand band(working, sourceWidth, toSrgb);
    const bool streamed =
        jpeg::StreamJpegRows(jpeg, [&](std::int32_t row, const std::uint8_t* bgr, std::int32_t rowWidth) {
            std::int32_t first = 0;
            const std::int32_t count = runs.Take(row, first);
            if (rowWidth != sourceWidth) return;
            for (std::int32_t i = 0; i < count; ++i) band.Add(first + i, bgr);
        },
        [&](std::int32_t row) { return runs.Wants(row); }, &toSrgb);
    band.Flush();
    return streamed;
}
