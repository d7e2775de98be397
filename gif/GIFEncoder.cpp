#include "gif/GIFEncoder.h"

#include "gif/GIFImage.h"
#include "gif/GIFLimits.h"
#include "gif/GIFMessages.h"
#include "gif/GIFStreamIO.h"
#include "graphics/Streams.h"

namespace gif {

void TGIFWriter::WriteBlock() {
    block_[0] = std::uint8_t(fill_ - 1);
    target_.WriteBuffer(block_, fill_);
    fill_ = 1;
}

void TGIFEncoder::ColorNotInTable() { RaiseGIFError(gifmsg::SColorNotInTable); }

void TGIFEncoder::SetUp(TGIFSubImage& frame, int bits) {
    minCodeSize_ = std::max(bits, 2);
    width_bits_ = StartWidth();
    widthLimit_ = (1 << width_bits_) - 1;
    accumulator_ = 0;
    accumulatedBits_ = 0;
    width_ = frame.Width();
    rows_.clear();
    if (frame.IsEmpty()) return;
    auto add = [&](int row) { rows_.push_back(frame.PixelBuffer() + std::int64_t(row) * width_); };
    if (!frame.Interlaced()) {
        for (int row = 0; row < frame.Height(); ++row) add(row);
        return;
    }
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int row = kStart[pass]; row < frame.Height(); row += kStep[pass]) add(row);
}

void TGIFEncoder::EncodeFrame(TGIFSubImage& frame, TStream& stream) {
    TGIFColorMap& local = frame.ColorMap();
    int bits;
    if (local.Count() > 0) {
        bits = TGIFColorMap::BitsForColorCount(local.Count());
        colorLimit_ = local.Count();
    } else {
        bits = frame.Image() ? frame.Image()->BitsPerPixel() : 0;
        colorLimit_ = 1 << bits;
    }
    SetUp(frame, bits);
    WriteU8(stream, std::uint8_t(minCodeSize_));
    TGIFWriter writer(stream);
    writer_ = &writer;
    if (!rows_.empty()) EncodeBody();
    EmitCode(EndCode());
    writer.Flush();
    writer_ = nullptr;
    WriteU8(stream, 0);
}

// Codes are packed least significant bit first; the End code also writes the last bits.
void TGIFEncoder::EmitCode(int code) {
    accumulator_ = accumulatedBits_ == 0
                       ? std::uint32_t(code)
                       : std::uint32_t(code) << accumulatedBits_ | (accumulator_ & ((1u << accumulatedBits_) - 1));
    accumulatedBits_ += width_bits_;
    while (accumulatedBits_ > 7) {
        writer_->Put(std::uint8_t(accumulator_));
        accumulator_ >>= 8;
        accumulatedBits_ -= 8;
    }
    if (code == EndCode() && accumulatedBits_ > 0) {
        writer_->Put(std::uint8_t(accumulator_));
        accumulatedBits_ = 0;
    }
}

void TGIFEncoder::EmitClear() {
    clearFlag_ = true;
    EmitCode(ClearCode());
}

void TLZWEncoder::EmitCode(int code) {
    TGIFEncoder::EmitCode(code);
    if (nextFree_ <= widthLimit_ && !clearFlag_) return;
    if (clearFlag_) {
        width_bits_ = StartWidth();
        clearFlag_ = false;
    } else {
        ++width_bits_;
    }
    widthLimit_ = width_bits_ >= MaxCodeBits ? TableSize : (1 << width_bits_) - 1;
}

void TLZWEncoder::EmitClear() {
    TGIFEncoder::EmitClear();
    std::fill(table_.begin(), table_.end(), 0xFFFFFFFFu);
    nextFree_ = FirstFreeCode();
}

namespace {
constexpr int kHash = 8009;
// The probe rule visits 2h mod 8009, a cycle of 4004 positions; past it, probing goes on
// linearly so that a full cycle cannot stall the search.
constexpr int kProbeCycle = 4004;
constexpr std::uint32_t kEmpty = 0xFFFFF;

int FirstProbe(std::uint32_t key) { return int((key ^ (key >> 4)) % kHash); }
int NextProbe(int h, int probes) {
    if (probes >= kProbeCycle) return h + 1 == kHash ? 0 : h + 1;
    if (h == 0) return kHash - 1;
    const int next = h - (kHash - h);
    return next < 0 ? next + kHash : next;
}
}  // namespace

// Looks the key up; when it is missing, `slot` is the empty entry where it belongs, so that a
// miss costs one probe sequence, not two.
int TLZWEncoder::Find(std::uint32_t key, int& slot) const {
    const std::uint32_t* table = table_.data();
    int h = FirstProbe(key);
    for (int probes = 0;; h = NextProbe(h, ++probes)) {
        const std::uint32_t stored = table[h] >> 12;
        if (stored == key) return int(table[h] & 0xFFF);
        if (stored == kEmpty) {
            slot = h;
            return -1;
        }
    }
}

// Indices are checked a row at a time, before the row is coded.
void TLZWEncoder::EncodeBody() {
    EmitClear();
    int prefix = -1;
    for (int r = 0; r < RowCount(); ++r) {
        const std::uint8_t* row = Row(r);
        CheckRow(row);
        int x = 0;
        if (prefix < 0) prefix = row[x++];
        for (; x < Width(); ++x) {
            const std::uint8_t pixel = row[x];
            const std::uint32_t key = std::uint32_t(prefix) << 8 | pixel;
            int slot = 0;
            const int found = Find(key, slot);
            if (found >= 0) {
                prefix = found;
                continue;
            }
            TLZWEncoder::EmitCode(prefix);  // qualified: no virtual call per code
            prefix = pixel;
            if (nextFree_ > MaxLzwEntry) EmitClear();
            else table_[std::size_t(slot)] = key << 12 | std::uint32_t(nextFree_++);
        }
    }
    EmitCode(prefix);
}

void EncodeFrame(TGIFSubImage& frame, TStream& stream) {
    const bool rle = frame.Image() && frame.Image()->Compression == TGIFCompression::RLE;
    std::unique_ptr<TGIFEncoder> encoder;
    if (rle) encoder = std::make_unique<TRLEEncoder>();
    else encoder = std::make_unique<TLZWEncoder>();
    encoder->EncodeFrame(frame, stream);
}

}  // namespace gif
