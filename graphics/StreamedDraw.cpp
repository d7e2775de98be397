#include "graphics/StreamedDraw.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "graphics/BgrRows.h"
#include "graphics/Canvas.h"
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
        SkipTo(row);
        return Under(row);
    }

    // The run [first, first + count) of target rows under source row `row`; count 0 for none.
    std::int32_t Take(std::int32_t row, std::int32_t& first) {
        SkipTo(row);
        first = map_.First() + next_;
        std::int32_t count = 0;
        for (; Under(row); ++next_) ++count;
        return count;
    }

private:
    // Passes the target rows that lie under source rows above `row`.
    void SkipTo(std::int32_t row) {
        while (next_ < map_.Count() && map_.Sample(next_) < row) ++next_;
    }
    bool Under(std::int32_t row) const { return next_ < map_.Count() && map_.Sample(next_) == row; }

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
        CopyRows(working_, first_, toSrgb_ ? Converted() : band_, filled_);
        filled_ = 0;
    }

private:
    // Rows [0, count) of `source` stretched across rows [top, top + count) of `target`.
    static void CopyRows(TBitmap& target, std::int32_t top, TBitmap& source, std::int32_t count) {
        TCanvas& canvas = target.Canvas();
        // A 24-bit bitmap draws onto a colour surface with this mode.
        platform::SetStretchBltMode(canvas.Handle(), platform::COLORONCOLOR);
        canvas.CopyArea({0, top, target.ImageWidth(), top + count}, source.Canvas(),
                        {0, 0, source.ImageWidth(), count});
    }

    // A photo with a colour profile: the columns are sampled into a band of the target's width
    // first, so only the pixels drawn are converted (a per-pixel conversion commutes with sampling).
    TBitmap& Converted() {
        const std::int32_t width = working_.ImageWidth();
        if (narrow_.ImageWidth() != width) {
            narrow_.ChangeDepth(TPixelDepth::Bits24);
            narrow_.ResizeWidth(width);
            narrow_.ResizeHeight(rows_);
        }
        CopyRows(narrow_, 0, band_, filled_);
        for (std::int32_t y = 0; y < filled_; ++y) {
            std::uint8_t* row = narrow_.ScanRow(y);
            toSrgb_->Translate(row, row, std::size_t(width));
        }
        return narrow_;
    }

    static constexpr std::int32_t kBandRows = 128;
    TBitmap& working_;
    const std::shared_ptr<const platform::IccTransform>& toSrgb_;
    TBitmap narrow_;
    TBitmap band_;
    std::int32_t width_, rows_, first_ = 0, filled_ = 0;
};

// One bitmap drawn from the rows: which rows it samples, and the band that gathers them.
struct StreamTarget {
    StreamTarget(TBitmap& bitmap, std::int32_t sourceWidth, std::int32_t sourceHeight,
                 const std::shared_ptr<const platform::IccTransform>& toSrgb)
        : runs(bitmap.ImageHeight(), sourceHeight), band(bitmap, sourceWidth, toSrgb) {}
    RowRuns runs;
    RowBand band;
};

bool HasPixels(TBitmap& bitmap) { return bitmap.ImageWidth() > 0 && bitmap.ImageHeight() > 0; }

// Palette surfaces take the picture halftoned, from the whole of it.
bool PaletteSurface(TBitmap& bitmap) {
    return platform::GetDeviceCaps(bitmap.Canvas().Handle(), platform::BITSPIXEL) <= 8;
}

}  // namespace

bool DrawStreamed(TGraphic& graphic, std::span<TBitmap* const> targets) {
    auto* rows = dynamic_cast<TRowSource*>(&graphic);
    if (!rows || graphic.IsEmpty()) return false;
    std::vector<TBitmap*> drawn;
    for (TBitmap* bitmap : targets)
        if (HasPixels(*bitmap)) drawn.push_back(bitmap);
    if (drawn.empty() || std::any_of(drawn.begin(), drawn.end(), [](TBitmap* b) { return PaletteSurface(*b); }))
        return false;
    const std::int32_t sourceWidth = graphic.ImageWidth();
    std::shared_ptr<const platform::IccTransform> toSrgb;
    std::vector<std::unique_ptr<StreamTarget>> streams;
    for (TBitmap* bitmap : drawn)
        streams.push_back(std::make_unique<StreamTarget>(*bitmap, sourceWidth, graphic.ImageHeight(), toSrgb));
    const auto wanted = [&](std::int32_t row) {
        return std::any_of(streams.begin(), streams.end(), [row](auto& s) { return s->runs.Wants(row); });
    };
    const bool streamed = rows->StreamRows(
        [&](std::int32_t row, const std::uint8_t* bgr, std::int32_t rowWidth) {
            for (auto& stream : streams) {
                std::int32_t first = 0;
                const std::int32_t count = stream->runs.Take(row, first);
                if (rowWidth != sourceWidth) continue;
                for (std::int32_t i = 0; i < count; ++i) stream->band.Add(first + i, bgr);
            }
        },
        wanted, toSrgb);
    for (auto& stream : streams) stream->band.Flush();
    return streamed;
}

bool DrawStreamed(TGraphic& graphic, TBitmap& working) {
    TBitmap* const target[] = {&working};
    return DrawStreamed(graphic, target);
}
