#include "gif/LzwDecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "gif/GIFLimits.h"
#include "gif/GIFMessages.h"
#include "gif/GIFStreamIO.h"
#include "gif/GIFSubImage.h"
#include "graphics/Streams.h"

namespace gif {
namespace {

constexpr int kBitsRanOut = -1;
constexpr int kEndOfInformation = -2;
constexpr int kCarriedBytes = 2;
// The bit buffer holds the two carried bytes and one sub-block, plus slack so that reading
// three bytes at any valid bit position stays inside it.
constexpr int kBitBufferSize = kCarriedBytes + 255 + 4;

// The variable-length-code LZW of GIF: codes are read least significant bit first, one data
// sub-block at a time; a string is built on a stack (last pixel at the bottom) and handed out
// from its top.
class LzwDecoder {
public:
    LzwDecoder(TGIFSubImage& frame, TStream& stream, int initialCodeSize)
        : frame_(frame), stream_(stream), initialCodeSize_(initialCodeSize), clearCode_(1 << initialCodeSize),
          endCode_(clearCode_ + 1) {
        ResetTable();
    }

    // Writes up to count pixels; returns how many were written (fewer when the data ended).
    std::int64_t Produce(std::uint8_t* out, std::int64_t count);
    // The one further pixel asked for after the frame is full, which normally meets the End code
    // and so moves the stream past the data.
    void Finish();

private:
    int DecodeNextCode();
    int ReadCode(int width);
    bool Refill();
    void ResetTable();
    int EndOfData();
    void Push(std::uint8_t pixel) { stack_[stackTop_++] = pixel; }

    TGIFSubImage& frame_;
    TStream& stream_;
    const int initialCodeSize_;
    const int clearCode_;
    const int endCode_;
    int codeSize_ = 0;
    int nextFreeCode_ = 0;
    int growthLimit_ = 0;
    std::uint8_t firstPixel_ = 0;
    int previousCode_ = 0;
    bool startPending_ = true;
    bool dataEnded_ = false;
    bool endMet_ = false;
    int bitPosition_ = 0;
    int bitLimit_ = 0;
    int bufferEnd_ = kCarriedBytes;
    int stackTop_ = 0;
    std::uint16_t prefix_[TableSize];
    std::uint8_t suffix_[TableSize];
    std::uint8_t stack_[OutputStackSize];
    std::uint8_t buffer_[kBitBufferSize] = {};
};

void LzwDecoder::ResetTable() {
    const int literals = std::min(clearCode_, TableSize);
    for (int c = 0; c < literals; ++c) {
        prefix_[c] = 0;
        suffix_[c] = std::uint8_t(c);
    }
    if (clearCode_ < TableSize) {
        std::fill(prefix_ + clearCode_, prefix_ + TableSize, 0);
        std::fill(suffix_ + clearCode_, suffix_ + TableSize, 0);
    }
    codeSize_ = initialCodeSize_ + 1;
    growthLimit_ = 2 * clearCode_;
    nextFreeCode_ = clearCode_ + 2;
    stackTop_ = 0;
}

// Moves the last two bytes to the front and reads the next sub-block behind them.
bool LzwDecoder::Refill() {
    buffer_[0] = buffer_[bufferEnd_ - 2];
    buffer_[1] = buffer_[bufferEnd_ - 1];
    int n = ReadU8(stream_);
    if (n < 0) return false;
    if (n == 0) {
        dataEnded_ = true;
    } else {
        const std::int64_t left = stream_.Remaining();
        if (n > left) {
            frame_.ReportWarning(GIFWarningSeverity, gifmsg::SPrematureEOF);
            n = int(std::max<std::int64_t>(left, 0));
        }
        if (n > 0) ReadExact(stream_, buffer_ + kCarriedBytes, n);
    }
    bufferEnd_ = n + kCarriedBytes;
    bitPosition_ = bitPosition_ - bitLimit_ + 8 * kCarriedBytes;
    bitLimit_ = bufferEnd_ * 8;
    return true;
}

int LzwDecoder::ReadCode(int width) {
    if (startPending_) {
        startPending_ = false;
        return clearCode_;
    }
    if (bitPosition_ + width >= bitLimit_) {
        if (dataEnded_) {
            if (bitPosition_ >= bitLimit_) frame_.ReportWarning(GIFWarningSeverity, gifmsg::SBitBufferUnderrun);
            return kBitsRanOut;
        }
        if (!Refill()) return kBitsRanOut;
    }
    const int at = bitPosition_ >> 3;
    const std::uint32_t raw = buffer_[at] | buffer_[at + 1] << 8 | std::uint32_t(buffer_[at + 2]) << 16;
    const int code = int(raw >> (bitPosition_ & 7)) & ((1 << width) - 1);
    bitPosition_ += width;
    return code;
}

// After the End code nothing more belongs to the frame: the rest of its sub-blocks is skipped
// once, and later requests read nothing, so the next block of the file stays where it is.
int LzwDecoder::EndOfData() {
    if (!endMet_ && !dataEnded_) SkipSubBlocks(stream_);
    endMet_ = true;
    return kEndOfInformation;
}

// Decodes one code onto the stack; returns the number of pixels there, or a negative value
// when no more pixels follow.
int LzwDecoder::DecodeNextCode() {
    if (endMet_) return kEndOfInformation;
    int code = ReadCode(codeSize_);
    if (code < 0) return code;
    if (code == clearCode_) {
        ResetTable();
        do code = ReadCode(codeSize_);
        while (code == clearCode_);
        if (code < 0) return code;
        if (code == endCode_) return EndOfData();
        firstPixel_ = std::uint8_t(code);
        previousCode_ = code;
        Push(firstPixel_);
        return stackTop_;
    }
    if (code == endCode_) return EndOfData();
    const int incoming = code;
    // The stack pointer lives in a local: a byte stored through it could otherwise be taken as
    // a change of any member, and every member be read again.
    std::uint8_t* top = stack_ + stackTop_;
    if (code >= nextFreeCode_) {
        *top++ = firstPixel_;
        code = previousCode_;
    }
    // A valid chain is never longer than the table; a longer one loops.
    for (int steps = 0; code >= clearCode_; ++steps) {
        const int prefix = prefix_[code];
        if (prefix == code || steps >= TableSize) RaiseGIFError(gifmsg::SCircularTable);
        *top++ = suffix_[code];
        code = prefix;
    }
    stackTop_ = int(top - stack_);
    firstPixel_ = suffix_[code];
    Push(firstPixel_);
    if (nextFreeCode_ < TableSize) {
        prefix_[nextFreeCode_] = std::uint16_t(previousCode_);
        suffix_[nextFreeCode_] = firstPixel_;
        ++nextFreeCode_;
        if (nextFreeCode_ >= growthLimit_ && growthLimit_ < TableSize) {
            growthLimit_ *= 2;
            ++codeSize_;
        }
    }
    previousCode_ = incoming;
    return stackTop_;
}

std::int64_t LzwDecoder::Produce(std::uint8_t* out, std::int64_t count) {
    std::int64_t written = 0;
    while (written < count) {
        if (stackTop_ == 0 && DecodeNextCode() < 0) break;
        const int n = int(std::min<std::int64_t>(stackTop_, count - written));
        const std::uint8_t* from = stack_ + stackTop_;
        for (int i = 0; i < n; ++i) out[written + i] = *--from;
        stackTop_ -= n;
        written += n;
    }
    return written;
}

void LzwDecoder::Finish() {
    if (stackTop_ > 0) --stackTop_;
    else DecodeNextCode();
}

// Rows of an interlaced frame in file order: every 8th from 0, every 8th from 4, every 4th
// from 2, every 2nd from 1.
template <class RowAction>
bool ForEachInterlacedRow(int height, RowAction action) {
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int row = kStart[pass]; row < height; row += kStep[pass])
            if (!action(row)) return false;
    return true;
}

}  // namespace

void DecodePixels(TGIFSubImage& frame, TStream& stream) {
    std::uint8_t* pixels = frame.MakePixelBuffer(frame.FillIndex());
    const int initialCodeSize = ReadU8(stream);
    if (initialCodeSize < 0) return;
    if (initialCodeSize > MaxInitialCodeSize) {
        frame.ReportWarning(GIFWarningSeverity, gifmsg::SBadCodeSize);
        SkipSubBlocks(stream);
        return;
    }
    auto decoder = std::make_unique<LzwDecoder>(frame, stream, initialCodeSize);
    const std::int64_t width = frame.Width();
    if (!frame.Interlaced() || !pixels) {
        if (pixels) decoder->Produce(pixels, frame.PixelCount());
    } else {
        ForEachInterlacedRow(frame.Height(),
                             [&](int row) { return decoder->Produce(pixels + row * width, width) == width; });
    }
    decoder->Finish();
}

}  // namespace gif
