// Frame bitmaps: a frame's colour indices made into an 8-bit device-independent bitmap with the
// frame's palette, or dithered to the web palette, and the 1-bit mask of its transparent pixels.
#include <cmath>
#include <cstring>
#include <mutex>
#include <vector>

#include "gif/ColorLookup.h"
#include "gif/ColorReduction.h"
#include "gif/Ditherers.h"
#include "gif/GIFDIB.h"
#include "gif/GIFFrameDraw.h"
#include "gif/GIFImage.h"
#include "gif/GIFMessages.h"
#include "gif/GIFPaletteDisplay.h"
#include "gif/GIFRenderState.h"
#include "graphics/Bitmap.h"

namespace gif {
namespace {

constexpr int kProgressRows = 32;
const TRect kNoRect{};

bool Dithering(TGIFSubImage& frame) { return frame.Image() && DitherFrames(frame.Image()->PaintOptions); }

// The progress reports of one build, carried out the way the caller asks.
class TBuildProgress {
public:
    TBuildProgress(TGIFSubImage& frame, const TReportStep& run) : frame_(frame), run_(run) {}
    void Report(TProgressStage stage, int percent) {
        TGIFImage* image = frame_.Image();
        if (!image) return;
        TGIFSubImage* frame = &frame_;
        const bool ending = stage == TProgressStage::psEnding;
        Run([image, frame, stage, percent, ending] {
            const bool redraw = ending && image->PaletteModified();
            image->ReportProgress(frame, stage, std::uint8_t(percent), redraw, kNoRect, gifmsg::SRendering);
            if (redraw) image->NotifyChanged(frame);
        });
    }
    void Row(int y, int height) {
        if (y % kProgressRows == 0) Report(TProgressStage::psRunning, int(std::lround(y * 100.0 / height)));
    }

private:
    void Run(std::function<void()> step) { run_ ? run_(std::move(step)) : step(); }
    TGIFSubImage& frame_;
    const TReportStep& run_;
};

// Rows of 16-bit aligned bits, most significant first, 1 where the pixel is the transparent index.
class TMaskRows {
public:
    TMaskRows(int width, int height)
        : width_(width), height_(height), stride_(std::size_t(width + 15) / 16 * 2),
          bits_(stride_ * std::size_t(height), 0) {}
    void Set(int x, int y) {
        bits_[stride_ * std::size_t(y) + std::size_t(x >> 3)] |= std::uint8_t(0x80 >> (x & 7));
        any_ = true;
    }
    platform::HBITMAP Make() const {
        return any_ ? platform::CreateBitmap(width_, height_, 1, 1, bits_.data()) : nullptr;
    }

private:
    int width_, height_;
    std::size_t stride_;
    std::vector<std::uint8_t> bits_;
    bool any_ = false;
};

// Whether this build makes the frame's mask; a later build does not make it again.
bool TakeMaskTurn(TGIFSubImage& frame) {
    TGIFFrameCache& cache = frame.Cache();
    const bool build = cache.MaskPending && frame.Transparent() && frame.GraphicControlExtension() && !cache.Mask;
    cache.MaskPending = false;
    return build;
}

std::unique_ptr<TBitmap> NewFrameBitmap(TGIFSubImage& frame) {
    auto bitmap = std::make_unique<TBitmap>();
    if (frame.PixelCount() > LargeFramePixelLimit) bitmap->ChangeDepth(TPixelDepth::Bits1);
    return bitmap;
}

// The rows of a frame bitmap being built in the frame's palette, and the mask of the frame's
// transparent pixels when this build makes it; Finish hands both over.
class TFrameRows {
public:
    TFrameRows(TGIFSubImage& frame, TBitmap& bitmap)
        : frame_(frame), writer_(bitmap, FramePalette(frame), frame.Height(), frame.Width(), TPixelDepth::Bits8),
          withMask_(TakeMaskTurn(frame)), mask_(withMask_ ? frame.Width() : 0, withMask_ ? frame.Height() : 0),
          transparent_(withMask_ ? frame.GraphicControlExtension()->TransparentColorIndex() : 0) {}
    std::uint8_t* ScanLine(int y) { return writer_.ScanLine(y); }
    bool WithMask() const { return withMask_; }
    std::uint8_t Transparent() const { return transparent_; }
    // Marks the pixel in the mask when it is the transparent index; false for the others.
    bool MaskIfTransparent(std::uint8_t index, int x, int y) {
        if (!withMask_ || index != transparent_) return false;
        mask_.Set(x, y);
        return true;
    }
    void Finish() {
        if (withMask_) frame_.Cache().Mask = mask_.Make();
        writer_.Finish();
    }

private:
    TGIFSubImage& frame_;
    TDIBWriter writer_;
    bool withMask_;
    TMaskRows mask_;
    std::uint8_t transparent_;
};

// The frame's colour indices for one build: a frame whose data is still encoded is decoded for
// the build only, so an animation holds its frames' bitmaps but not also their pixels.
class TBuildPixels {
public:
    explicit TBuildPixels(TGIFSubImage& frame)
        : decoded_(frame.PixelsPending() ? frame.DecodeCopy() : nullptr),
          pixels_(decoded_ ? decoded_.get() : frame.PixelBuffer()), width_(frame.Width()) {}
    const std::uint8_t* Row(int y) const { return pixels_ + std::int64_t(y) * width_; }

private:
    std::unique_ptr<std::uint8_t[]> decoded_;
    const std::uint8_t* pixels_;
    std::int64_t width_;
};

std::unique_ptr<TBitmap> BuildFrameBitmap(TGIFSubImage& frame, TBuildProgress& progress) {
    std::unique_ptr<TBitmap> bitmap = NewFrameBitmap(frame);
    const int width = frame.Width(), height = frame.Height();
    TFrameRows rows(frame, *bitmap);
    const TBuildPixels pixels(frame);
    for (int y = 0; y < height; ++y) {
        progress.Row(y, height);
        const std::uint8_t* row = pixels.Row(y);
        std::memcpy(rows.ScanLine(y), row, std::size_t(width));
        if (!rows.WithMask()) continue;
        for (int x = 0; x < width; ++x) rows.MaskIfTransparent(row[x], x, y);
    }
    rows.Finish();
    return bitmap;
}

// The frame's colours by index; indices past the map's end read as its first colour.
std::vector<TRgb> FrameColors(TGIFSubImage& frame) {
    TGIFColorMap& map = frame.ActiveColorMap();
    if (map.Count() == 0) RaiseGIFError(gifmsg::SNoColorTable);
    std::vector<TRgb> colors(256);
    for (int i = 0; i < 256; ++i) {
        const std::uint8_t* e = map.Entries() + 3 * (i < map.Count() ? i : 0);
        colors[std::size_t(i)] = {e[0], e[1], e[2]};
    }
    return colors;
}

// Floyd-Steinberg over the web cube, each row in the ditherer's direction; transparent pixels
// keep the index standing for them and pass no error on.
std::unique_ptr<TBitmap> BuildDitheredFrameBitmap(TGIFSubImage& frame, TBuildProgress& progress) {
    std::unique_ptr<TBitmap> bitmap = NewFrameBitmap(frame);
    const int width = frame.Width(), height = frame.Height();
    const std::vector<TRgb> colors = FrameColors(frame);
    TFrameRows rows(frame, *bitmap);
    TNetscapeColorLookup lookup;
    TRgb found;
    const std::uint8_t transparentFill = std::uint8_t(lookup.LookupColor(colors[rows.Transparent()], found));
    TFloydSteinbergDitherer ditherer(width, lookup);
    const TBuildPixels pixels(frame);
    for (int y = 0; y < height; ++y) {
        progress.Row(y, height);
        const std::uint8_t* row = pixels.Row(y);
        std::uint8_t* out = rows.ScanLine(y);
        if (rows.WithMask()) std::memset(out, transparentFill, std::size_t(width));
        for (int i = 0; i < width; ++i) {
            const int x = ditherer.Column();
            if (rows.MaskIfTransparent(row[x], x, y)) ditherer.Skip();
            else out[x] = std::uint8_t(ditherer.DitherColor(colors[row[x]], found));
        }
        ditherer.NextRow();
    }
    rows.Finish();
    return bitmap;
}

// Painter threads build frame bitmaps ahead of their paint step while the owner thread draws.
std::recursive_mutex& FrameBuildLock() {
    static std::recursive_mutex lock;
    return lock;
}

}  // namespace

TBitmap* FrameBitmap(TGIFSubImage& frame, const TReportStep& report) {
    if (frame.IsEmpty()) return nullptr;
    std::lock_guard guard(FrameBuildLock());
    TGIFFrameCache& cache = frame.Cache();
    // A bitmap made without the mask a transparent frame still needs is made again.
    if (cache.Bitmap && !(cache.MaskPending && frame.Transparent())) return cache.Bitmap.get();
    TBuildProgress progress(frame, report);
    progress.Report(TProgressStage::psStarting, 0);
    try {
        cache.Bitmap = Dithering(frame) ? BuildDitheredFrameBitmap(frame, progress) : BuildFrameBitmap(frame, progress);
    } catch (const EAbort&) {
        progress.Report(TProgressStage::psEnding, 0);
        return nullptr;
    } catch (...) {
        progress.Report(TProgressStage::psEnding, 0);
        throw;
    }
    progress.Report(TProgressStage::psEnding, 100);
    return cache.Bitmap.get();
}

// A frame without colours of its own takes the global map's (not kept: the map may change), or
// else the first frame's. The image's drawing state is not asked: painter threads call this
// while the owner thread draws.
platform::HPALETTE FramePalette(TGIFSubImage& frame) {
    std::lock_guard guard(FrameBuildLock());
    TGIFFrameCache& cache = frame.Cache();
    if (cache.Bitmap && cache.Bitmap->PaletteHandle()) return cache.Bitmap->PaletteHandle();
    if (cache.Palette) return cache.Palette;
    if (Dithering(frame)) return cache.Palette = WebPalette();
    if (frame.ColorMap().Count() > 0) return cache.Palette = frame.ColorMap().ToPalette();
    TGIFImage* image = frame.Image();
    if (image && image->GlobalColorMap().Count() > 0) return image->GlobalColorMap().ToPalette();
    TGIFSubImage* first = image && image->Images().Count() > 0 ? image->Images().Frame(0) : nullptr;
    if (!first || first == &frame || first->ColorMap().Count() == 0) RaiseGIFError(gifmsg::SNoColorTable);
    return FramePalette(*first);
}

}  // namespace gif
