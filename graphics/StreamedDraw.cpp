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

// Sampled source rows drawn one per target row. Into a 32-bit display surface the sampled
// columns are written straight into the target row; into any other bitmap the rows are gathered
// into a band and stretched across in one blit per band. Either way the rows map one to one and
// the columns are sampled exactly as from the whole picture, with the same pixels as the blit.
class RowBand {
public:
    RowBand(TBitmap& working, std::int32_t sourceWidth, const std::shared_ptr<const platform::IccTransform>& toSrgb)
        : working_(working), toSrgb_(toSrgb), width_(sourceWidth), rows_(std::min(kBandRows, working.ImageHeight())),
          columns_({0, working.ImageWidth(), working.ImageWidth()}, {0, sourceWidth, sourceWidth}) {
        std::ptrdiff_t stride = 0;
        direct_ = columns_.First() == 0 && columns_.Count() == working.ImageWidth() &&
                  working.ReadDeviceRows32(stride) != nullptr;
    }

    void Add(std::int32_t targetRow, const std::uint8_t* bgr) {
        if (filled_ > 0 && first_ + filled_ != targetRow) Flush();
        if (filled_ == 0) first_ = targetRow;
        if (!direct_ || !WriteSampled(targetRow, bgr)) {
            EnsureBand();
            // Rows written straight before the target stopped taking them are in place already.
            if (banded_ == 0) bandFirst_ = targetRow;
            std::memcpy(band_.ScanRow(banded_++), bgr, std::size_t(width_) * 3);
        }
        if (++filled_ == rows_) Flush();
    }

    void Flush() {
        if (filled_ == 0) return;
        if (banded_ > 0) CopyRows(working_, bandFirst_, toSrgb_ ? Converted() : band_, banded_);
        else working_.NotifyChanged(&working_);
        filled_ = banded_ = 0;
    }

private:
    // The sampled pixels of one source row as blue, green, red and a zero byte, as the blit
    // writes them; false, having written nothing, when the target no longer takes rows in place.
    bool WriteSampled(std::int32_t targetRow, const std::uint8_t* bgr) {
        std::ptrdiff_t stride = 0;
        std::uint8_t* top = working_.DeviceRows32(stride);
        if (!top) {
            direct_ = false;
            return false;
        }
        const std::int32_t width = columns_.Count();
        const std::int32_t* xs = columns_.Samples();
        std::uint8_t* out = top + targetRow * stride;
        if (toSrgb_) {
            narrowRow_.resize(std::size_t(width) * 3);
            for (std::int32_t i = 0; i < width; ++i)
                std::memcpy(&narrowRow_[3 * std::size_t(i)], bgr + 3 * std::size_t(xs[i]), 3);
            toSrgb_->Translate(narrowRow_.data(), narrowRow_.data(), std::size_t(width));
            for (std::int32_t i = 0; i < width; ++i)
                Store(out + 4 * std::size_t(i), Pixel(narrowRow_.data(), i, width));
        } else {
            for (std::int32_t i = 0; i < width; ++i) Store(out + 4 * std::size_t(i), Pixel(bgr, xs[i], width_));
        }
        return true;
    }

    // Pixel `x` of a row of `width` pixels of blue, green, red, with a zero fourth byte; read as
    // four bytes, the fourth being the next pixel's, but for the last pixel.
    static std::uint32_t Pixel(const std::uint8_t* row, std::int32_t x, std::int32_t width) {
        const std::uint8_t* bgr = row + 3 * std::size_t(x);
        if (x + 1 == width) return std::uint32_t(bgr[0]) | std::uint32_t(bgr[1]) << 8 | std::uint32_t(bgr[2]) << 16;
        std::uint32_t value;
        std::memcpy(&value, bgr, 4);
        return value & 0xFFFFFF;  // little-endian: blue, green, red
    }

    static void Store(std::uint8_t* pixel, std::uint32_t value) { std::memcpy(pixel, &value, 4); }

    void EnsureBand() {
        if (band_.ImageHeight() == rows_) return;
        band_.ChangeDepth(TPixelDepth::Bits24);  // the depth the decoded bitmap has
        band_.ResizeWidth(width_);
        band_.ResizeHeight(rows_);
    }

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
        CopyRows(narrow_, 0, band_, banded_);
        for (std::int32_t y = 0; y < banded_; ++y) {
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
    std::int32_t width_, rows_, first_ = 0, filled_ = 0, bandFirst_ = 0, banded_ = 0;
    platform::AxisMap columns_;
    bool direct_ = false;
    std::vector<std::uint8_t> narrowRow_;
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
