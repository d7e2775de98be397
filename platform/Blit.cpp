// BitBlt, StretchBlt, PatBlt, MaskBlt, FillRect and single pixels: every blit runs row by row
// through one pipeline: source row (sampled or averaged), pattern row, destination row, raster
// operation, write.
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/AxisMap.h"
#include "platform/BlitSource.h"
#include "platform/BrushPattern.h"
#include "platform/DeviceContext.h"
#include "platform/Halftone.h"
#include "platform/RasterOp.h"
#include "platform/Surface.h"

namespace platform {

namespace {

struct BlitRequest {
    DeviceContext* target = nullptr;
    RECT area;  // left, top, extents in right and bottom
    DeviceContext* source = nullptr;
    RECT from;                        // the same for the source
    std::uint8_t fore = 0, back = 0;  // the operations for mask bits 1 and 0
    const Surface* mask = nullptr;
    POINT maskOrigin;
    HBRUSH brush;
};

struct Rows {
    std::vector<Rgb> s, p, d, out, alt;
    std::vector<std::uint8_t> paint, maskBits;
    explicit Rows(std::size_t n) : s(n), p(n), d(n), out(n), alt(n), paint(n), maskBits(n) {}
};

class Blitter {
public:
    Blitter(const BlitRequest& request, Surface& target, const Surface* source);
    void Run();

private:
    bool UsesSource() const { return RopUsesSource(r_.fore) || (r_.mask && RopUsesSource(r_.back)); }
    bool UsesPattern() const { return RopUsesPattern(r_.fore) || (r_.mask && RopUsesPattern(r_.back)); }
    bool UsesDestination() const { return RopUsesDestination(r_.fore) || (r_.mask && RopUsesDestination(r_.back)); }
    // Every pixel gets the same value: no source, no destination, no mask, a one-colour brush.
    bool Uniform() const { return !reader_ && !r_.mask && !UsesDestination() && (!pattern_ || pattern_->Solid()); }
    void SourceRow(std::int32_t j, std::int32_t n, Rgb* out);
    void Combine(std::int32_t y, std::int32_t x0, std::int32_t n);
    void Fill();

    const BlitRequest& r_;
    Surface& target_;
    const Surface* source_;
    PixelCodec codec_;
    AxisMap columns_, rows_;
    std::optional<BlitSource> reader_;
    std::optional<BrushPattern> pattern_;
    std::optional<AreaAverager> averager_;
    Rows rows_buffer_;
};

AxisSpan Axis(std::int32_t start, std::int32_t extent, std::int32_t limit) { return AxisSpan{start, extent, limit}; }

Blitter::Blitter(const BlitRequest& request, Surface& target, const Surface* source)
    : r_(request), target_(target), source_(source), codec_(target.Format()),
      columns_(Axis(request.area.left, request.area.right, target.Width()),
               source ? Axis(request.from.left, request.from.right, source->Width())
                      : Axis(request.area.left, request.area.right, target.Width())),
      rows_(Axis(request.area.top, request.area.bottom, target.Height()),
            source ? Axis(request.from.top, request.from.bottom, source->Height())
                   : Axis(request.area.top, request.area.bottom, target.Height())),
      rows_buffer_(std::size_t(std::max(columns_.Count(), 0))) {
    if (source_ && UsesSource()) {
        reader_.emplace(*request.source, *source_, *request.target, target_);
        const bool scaled = !columns_.Identity() || !rows_.Identity();
        if (scaled && request.target->stretchMode == HALFTONE) averager_.emplace(*reader_, columns_);
    }
    if (UsesPattern()) pattern_.emplace(*request.target, request.brush, codec_, target.IsMonochrome());
}

void Blitter::SourceRow(std::int32_t j, std::int32_t n, Rgb* out) {
    if (averager_) {
        averager_->Row(rows_.BoxLow(j), rows_.BoxHigh(j), out);
    } else if (columns_.Identity()) {
        reader_->Read(rows_.Sample(j), columns_.Sample(0), n, out);
    } else {
        reader_->Gather(rows_.Sample(j), columns_.Samples(), n, out);
    }
}

void Blitter::Combine(std::int32_t y, std::int32_t x0, std::int32_t n) {
    Rows& b = rows_buffer_;
    const Rgb* s = reader_ ? b.s.data() : nullptr;
    const Rgb* p = pattern_ ? b.p.data() : nullptr;
    const Rgb* d = UsesDestination() ? b.d.data() : nullptr;
    ApplyRop(r_.fore, p, s, d, b.out.data(), n);
    if (!r_.mask) return;
    ApplyRop(r_.back, p, s, d, b.alt.data(), n);
    const std::int64_t my = std::int64_t(r_.maskOrigin.y) + (y - r_.area.top);
    for (std::int32_t i = 0; i < n; ++i) {
        const std::int64_t mx = std::int64_t(r_.maskOrigin.x) + (x0 + i - r_.area.left);
        // Outside the mask counts as a clear bit.
        const bool set = my >= 0 && mx >= 0 && my < r_.mask->Height() && mx < r_.mask->Width() &&
                         (r_.mask->Row(int(my))[mx >> 3] >> (7 - (mx & 7)) & 1);
        if (!set) b.out[std::size_t(i)] = b.alt[std::size_t(i)];
    }
}

void Blitter::Run() {
    if (columns_.Empty() || rows_.Empty()) return;
    if (Uniform()) return Fill();
    Rows& b = rows_buffer_;
    const std::int32_t x0 = columns_.First(), n = columns_.Count();
    for (std::int32_t j = 0; j < rows_.Count(); ++j) {
        const std::int32_t y = rows_.First() + j;
        std::uint8_t* row = target_.Row(y);
        if (reader_) SourceRow(j, n, b.s.data());
        if (pattern_) pattern_->Row(y, x0, n, b.p.data(), b.paint.data());
        if (UsesDestination()) codec_.Read(row, x0, n, b.d.data());
        Combine(y, x0, n);
        codec_.Write(row, x0, n, b.out.data(), pattern_ && pattern_->HasGaps() ? b.paint.data() : nullptr);
    }
}

// The first row goes through the general pipeline; the others copy its whole bytes, so that
// filling a fresh surface costs a memset or memcpy per row instead of encoding every pixel.
// Pixels sharing a byte with pixels outside the area are still written one by one.
void Blitter::Fill() {
    Rows& b = rows_buffer_;
    const std::int32_t x0 = columns_.First(), n = columns_.Count(), y0 = rows_.First();
    if (pattern_) pattern_->Row(y0, x0, n, b.p.data(), b.paint.data());
    Combine(y0, x0, n);
    const std::uint8_t* first = target_.Row(y0);
    codec_.Write(target_.Row(y0), x0, n, b.out.data());
    const std::size_t bits = std::size_t(codec_.BitsPerPixel());
    const std::size_t beginBit = std::size_t(x0) * bits, endBit = std::size_t(x0 + n) * bits;
    const std::size_t byteBegin = (beginBit + 7) / 8, byteEnd = endBit / 8;
    const std::int32_t head = std::int32_t(std::min((byteBegin * 8 - beginBit) / bits, std::size_t(n)));
    const std::int32_t tail = byteEnd > byteBegin ? std::int32_t((endBit - byteEnd * 8) / bits) : 0;
    const std::size_t bytes = byteEnd > byteBegin ? byteEnd - byteBegin : 0;
    // A middle of one repeated byte (black, or white in 24 bits) is set rather than copied.
    const bool oneByte = bytes > 0 && std::memcmp(first + byteBegin, first + byteBegin + 1, bytes - 1) == 0;
    for (std::int32_t j = 1; j < rows_.Count(); ++j) {
        std::uint8_t* row = target_.Row(y0 + j);
        if (bytes == 0) {
            codec_.Write(row, x0, n, b.out.data());
            continue;
        }
        if (head > 0) codec_.Write(row, x0, head, b.out.data());
        if (oneByte) std::memset(row + byteBegin, first[byteBegin], bytes);
        else std::memcpy(row + byteBegin, first + byteBegin, bytes);
        if (tail > 0) codec_.Write(row, x0 + n - tail, tail, b.out.data() + (n - tail));
    }
}

std::shared_ptr<Surface> CopyOf(const Surface& s) {
    SurfaceDesc desc{s.Width(),   s.Height(),      s.BitsPerPixel(), s.IsDib(),
                     s.TopDown(), s.Compression(), s.Masks(),        s.Colors().Colors()};
    auto copy = Surface::Make(std::move(desc));
    if (copy) std::copy_n(s.Bits(), s.ByteSize(), copy->Bits());
    return copy;
}

bool RunBlit(const BlitRequest& request) {
    Surface* target = request.target ? request.target->Target() : nullptr;
    if (!target) return false;
    const bool usesSource = RopUsesSource(request.fore) || (request.mask && RopUsesSource(request.back));
    const Surface* source = nullptr;
    std::shared_ptr<Surface> snapshot;
    if (usesSource) {
        source = request.source ? request.source->Target() : nullptr;
        if (!source) return false;
        // Copying within one surface reads from a snapshot so overlapping rows stay intact.
        if (source == target) {
            snapshot = CopyOf(*source);
            if (!snapshot) return false;
            source = snapshot.get();
        }
    }
    Blitter(request, *target, source).Run();
    return true;
}

BlitRequest Request(const HDC& dst, int x, int y, int cx, int cy, std::uint32_t rop) {
    BlitRequest r;
    r.target = dst.get();
    r.area = RECT{x, y, cx, cy};
    r.fore = r.back = RopIndex(rop);
    if (dst) r.brush = dst->brush;
    return r;
}

}  // namespace

bool StretchBlt(const HDC& dst, int x, int y, int cx, int cy, const HDC& src, int sx, int sy, int scx, int scy,
                std::uint32_t rop) {
    BlitRequest r = Request(dst, x, y, cx, cy, rop);
    r.source = src.get();
    r.from = RECT{sx, sy, scx, scy};
    return RunBlit(r);
}

bool BitBlt(const HDC& dst, int x, int y, int cx, int cy, const HDC& src, int sx, int sy, std::uint32_t rop) {
    return StretchBlt(dst, x, y, cx, cy, src, sx, sy, cx, cy, rop);
}

bool PatBlt(const HDC& dc, int x, int y, int cx, int cy, std::uint32_t rop) {
    if (RopUsesSource(RopIndex(rop))) return false;
    return RunBlit(Request(dc, x, y, cx, cy, rop));
}

bool MaskBlt(const HDC& dst, int x, int y, int cx, int cy, const HDC& src, int sx, int sy, const HBITMAP& mask, int mx,
             int my, std::uint32_t rop4) {
    if (mask && !mask->IsMonochrome()) return false;
    BlitRequest r = Request(dst, x, y, cx, cy, rop4);
    r.back = mask ? std::uint8_t(rop4 >> 24) : r.fore;
    r.mask = mask.get();
    r.maskOrigin = POINT{mx, my};
    r.source = src.get();
    r.from = RECT{sx, sy, cx, cy};
    return RunBlit(r);
}

int FillRect(const HDC& dc, const RECT& rect, const HBRUSH& brush) {
    const Surface* target = dc ? dc->Target() : nullptr;
    if (!target) return 0;
    // Clipped first, so that the extents of any rectangle fit 32 bits; an inverted one fills nothing.
    const std::int32_t left = std::max(rect.left, 0), top = std::max(rect.top, 0);
    const std::int32_t right = std::min(rect.right, target->Width()), bottom = std::min(rect.bottom, target->Height());
    if (right <= left || bottom <= top) return 1;
    BlitRequest r = Request(dc, left, top, right - left, bottom - top, PATCOPY);
    r.brush = brush;
    return RunBlit(r) ? 1 : 0;
}

COLORREF GetPixel(const HDC& dc, int x, int y) {
    const Surface* s = dc ? dc->Target() : nullptr;
    if (!s || !s->Contains(x, y)) return CLR_INVALID;
    Rgb c;
    PixelCodec(s->Format()).Read(s->Row(y), x, 1, &c);
    return ColorRefFromRgb(c);
}

COLORREF SetPixel(const HDC& dc, int x, int y, COLORREF color) {
    Surface* s = dc ? dc->Target() : nullptr;
    if (!s || !s->Contains(x, y)) return CLR_INVALID;
    const PixelCodec codec(s->Format());
    const Rgb stored = codec.Quantize(RgbFromColorRef(color & 0xFFFFFF));
    codec.Write(s->Row(y), x, 1, &stored);
    return ColorRefFromRgb(stored);
}

}  // namespace platform
