#include "gif/LzwDecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "gif/GIFLimits.h"
#include "gif/GIFMessages.h"
#include "gif/GIFStreamIO.h"
#include "gif/GIFSubImage.h"
#include "graphics/Streams.h"

namespace gif {
namespace {

constexpr int kBitsRanOut = -1;
constexpr int kEndOfInformation = -2;
constexpr std::int64_t kUnknown = -1;
// Strings are copied eight bytes at a time where the buffer has room behind them.
constexpr std::int64_t kCopyChunk = 8;

// Codes of the data sub-blocks, least significant bit first, taken from a 64-bit buffer that
// is refilled from one sub-block at a time.
class CodeReader {
public:
    CodeReader(TGIFSubImage& frame, TStream& stream, bool report) : frame_(frame), stream_(stream), report_(report) {}

    // The next code of `width` bits, or kBitsRanOut.
    int Read(int width) {
        if (count_ < width) {
            Fill();
            if (count_ < width) return RanOut();
        }
        const int code = int(bits_ & ((1u << width) - 1));
        bits_ >>= width;
        count_ -= width;
        return code;
    }
    bool DataEnded() const { return dataEnded_; }
    void Warn(const char* message) {
        if (report_) frame_.ReportWarning(GIFWarningSeverity, message);
    }
    // The decoder's fast loop keeps these in registers and hands them back.
    std::uint64_t& Bits() { return bits_; }
    int& Count() { return count_; }

    // Bits above count_ are either zero or the very bytes that come next at the same place, so
    // a byte added again there changes nothing.
    void Fill() {
        while (count_ <= 56) {
            const int left = blockEnd_ - blockAt_;
            if (left >= 8) {
                std::uint64_t word;
                std::memcpy(&word, block_ + blockAt_, 8);
                bits_ |= word << count_;
                const int taken = (64 - count_) >> 3;
                blockAt_ += taken;
                count_ += taken * 8;
            } else if (left > 0) {
                bits_ |= std::uint64_t(block_[blockAt_++]) << count_;
                count_ += 8;
            } else if (!NextBlock()) {
                return;
            }
        }
    }

private:
    bool NextBlock() {
        if (dataEnded_) return false;
        int n = ReadU8(stream_);
        if (n < 0) return false;
        if (n == 0) {
            dataEnded_ = true;
            return false;
        }
        const std::int64_t left = stream_.Remaining();
        if (n > left) {
            Warn(gifmsg::SPrematureEOF);
            n = int(std::max<std::int64_t>(left, 0));
        }
        if (n > 0) ReadExact(stream_, block_, n);
        blockAt_ = 0;
        blockEnd_ = n;
        return n > 0 || NextBlock();
    }
    int RanOut() {
        if (dataEnded_ && count_ == 0) Warn(gifmsg::SBitBufferUnderrun);
        return kBitsRanOut;
    }

    TGIFSubImage& frame_;
    TStream& stream_;
    const bool report_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    bool dataEnded_ = false;
    int blockAt_ = 0, blockEnd_ = 0;
    std::uint8_t block_[255 + kCopyChunk] = {};
};

// Copies a string that stands earlier in the output; eight bytes at a time where the buffer has
// room behind it (the bytes past the string are written again by the strings that follow, or
// filled when decoding ends).
inline void CopyString(std::uint8_t* out, std::int64_t from, std::int64_t to, std::int64_t length, std::int64_t count) {
    if (to + length + kCopyChunk <= count) {
        for (std::int64_t i = 0; i < length; i += kCopyChunk) {
            std::uint64_t word;
            std::memcpy(&word, out + from + i, kCopyChunk);
            std::memcpy(out + to + i, &word, kCopyChunk);
        }
    } else {
        std::memmove(out + to, out + from, std::size_t(std::min(length, count - to)));
    }
}

// The variable-length-code LZW of GIF. Besides each table entry's prefix and last pixel the
// decoder knows, for most entries, where the entry's whole string already stands in the output
// and how long it is, so a string is copied from there in one go. Entries whose string was never
// written out whole (made from codes beyond the table's end by damaged data) are resolved by
// walking their prefix chain, as a table decoder does.
class LzwDecoder {
public:
    LzwDecoder(TGIFSubImage& frame, TStream& stream, int initialCodeSize, bool report)
        : reader_(frame, stream, report), stream_(stream), initialCodeSize_(initialCodeSize),
          clearCode_(1 << initialCodeSize), endCode_(clearCode_ + 1) {
        ResetTable();
    }

    // Decodes up to `count` pixels into out (Emit), or only follows the codes that would make
    // them; returns how many pixels the data gave.
    template <bool Emit>
    std::int64_t Run(std::uint8_t* out, std::int64_t count);
    // The one further code asked for after the frame is full, which normally meets the End code
    // and so moves the stream past the data.
    void Finish();
    // The pixels written so far, also when a step failed.
    std::int64_t Position() const { return position_; }

private:
    void ResetTable();
    int EndOfData();
    template <bool Emit>
    std::int64_t Step(std::uint8_t* out, std::int64_t at, std::int64_t count);
    template <bool Emit>
    std::int64_t FastRun(std::uint8_t* out, std::int64_t at, std::int64_t count);
    template <bool Emit>
    std::int64_t WalkChain(int code, std::uint8_t* out, std::int64_t at, std::int64_t count, bool& exact);
    void AddEntry(std::int64_t at, std::int64_t length, bool exact, int incoming);

    CodeReader reader_;
    TStream& stream_;
    const int initialCodeSize_;
    const int clearCode_;
    const int endCode_;
    int codeSize_ = 0;
    int nextFreeCode_ = 0;
    int growthLimit_ = 0;
    bool afterClear_ = true;  // the data starts as if after a Clear code
    bool endMet_ = false;
    bool truncated_ = false;  // the last string did not fit into the frame
    std::int64_t position_ = 0;
    std::uint8_t firstPixel_ = 0;
    int previousCode_ = 0;
    // The previous string in the output, and whether it is the previous code's table string.
    std::int64_t previousAt_ = 0, previousLength_ = 0;
    bool previousExact_ = false;
    std::uint16_t prefix_[TableSize];
    std::uint8_t suffix_[TableSize];
    std::int64_t at_[TableSize];  // where the entry's string stands in the output, or kUnknown
    std::uint16_t length_[TableSize];
    std::uint8_t stack_[OutputStackSize];
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
        std::fill(at_ + clearCode_, at_ + TableSize, kUnknown);
    }
    codeSize_ = initialCodeSize_ + 1;
    growthLimit_ = 2 * clearCode_;
    nextFreeCode_ = clearCode_ + 2;
}

// After the End code nothing more belongs to the frame: the rest of its sub-blocks is skipped
// once, and later requests read nothing, so the next block of the file stays where it is.
int LzwDecoder::EndOfData() {
    if (!endMet_ && !reader_.DataEnded()) SkipSubBlocks(stream_);
    endMet_ = true;
    return kEndOfInformation;
}

// The table string of `code` (or, for a code beyond the table, the previous string and its first
// pixel) found by walking prefixes onto the stack, then written out in order. Returns its length.
// The string is the code's lasting table string only when the chain used no entry that is still
// to be made: such an entry changes when it is.
template <bool Emit>
std::int64_t LzwDecoder::WalkChain(int code, std::uint8_t* out, std::int64_t at, std::int64_t count, bool& exact) {
    int top = 0;
    exact = code < nextFreeCode_;
    if (code >= nextFreeCode_) {
        stack_[top++] = firstPixel_;
        code = previousCode_;
    }
    // A valid chain is never longer than the table; a longer one loops.
    for (int steps = 0; code >= clearCode_; ++steps) {
        const int prefix = prefix_[code];
        if (code >= nextFreeCode_) exact = false;
        if (prefix == code || steps >= TableSize) RaiseGIFError(gifmsg::SCircularTable);
        stack_[top++] = suffix_[code];
        code = prefix;
    }
    firstPixel_ = suffix_[code];
    stack_[top++] = firstPixel_;
    if constexpr (Emit) {
        const std::int64_t n = std::min<std::int64_t>(top, count - at);
        for (std::int64_t i = 0; i < n; ++i) out[at + i] = stack_[top - 1 - i];
    }
    return top;
}

// Enters the previous string plus the first pixel of the one just written as the next table
// entry; it stands in the output exactly where the previous string began when that string was
// the previous code's own.
void LzwDecoder::AddEntry(std::int64_t at, std::int64_t length, bool exact, int incoming) {
    if (nextFreeCode_ < TableSize) {
        const int entry = nextFreeCode_;
        prefix_[entry] = std::uint16_t(previousCode_);
        suffix_[entry] = firstPixel_;
        const bool known = previousExact_ && previousLength_ < TableSize;
        at_[entry] = known ? previousAt_ : kUnknown;
        length_[entry] = std::uint16_t(known ? previousLength_ + 1 : 0);
        ++nextFreeCode_;
        if (nextFreeCode_ >= growthLimit_ && growthLimit_ < TableSize) {
            growthLimit_ *= 2;
            ++codeSize_;
        }
        if (incoming == entry) exact = exact && known;
    }
    previousCode_ = incoming;
    previousAt_ = at;
    previousLength_ = length;
    previousExact_ = exact;
    if (exact && incoming >= clearCode_) {
        at_[incoming] = at;
        length_[incoming] = std::uint16_t(length);
    }
}

// Decodes one code into the output at `at`; returns the pixels it gave, or a negative value
// when no more pixels follow.
template <bool Emit>
std::int64_t LzwDecoder::Step(std::uint8_t* out, std::int64_t at, std::int64_t count) {
    if (endMet_) return kEndOfInformation;
    int code = reader_.Read(codeSize_);
    if (code < 0) return code;
    if (code == clearCode_ || afterClear_) {
        if (code == clearCode_) {
            ResetTable();
            do code = reader_.Read(codeSize_);
            while (code == clearCode_);
            if (code < 0) return code;
        }
        afterClear_ = false;
        if (code == endCode_) return EndOfData();
        // The code after a Clear is taken as a pixel whatever its value.
        firstPixel_ = std::uint8_t(code);
        if constexpr (Emit) out[at] = firstPixel_;
        previousCode_ = code;
        previousAt_ = at;
        previousLength_ = 1;
        previousExact_ = code < clearCode_;
        return 1;
    }
    if (code == endCode_) return EndOfData();
    std::int64_t length;
    bool exact = true;
    if (code < clearCode_) {
        length = 1;
        firstPixel_ = std::uint8_t(code);
        if constexpr (Emit) out[at] = firstPixel_;
    } else if (code < nextFreeCode_ && at_[code] != kUnknown) {
        length = length_[code];
        if constexpr (Emit) {
            firstPixel_ = out[at_[code]];
            CopyString(out, at_[code], at, length, count);
        }
    } else if (code >= nextFreeCode_ && previousExact_ && previousLength_ < TableSize) {
        // The string being made: the previous one and its own first pixel.
        length = previousLength_ + 1;
        if constexpr (Emit) {
            const std::uint8_t* from = out + previousAt_;
            const std::int64_t n = std::min(previousLength_, count - at);
            std::memmove(out + at, from, std::size_t(n));
            firstPixel_ = *from;
            if (at + previousLength_ < count) out[at + previousLength_] = firstPixel_;
        }
        exact = code == nextFreeCode_;
    } else {
        length = WalkChain<Emit>(code, out, at, count, exact);
    }
    AddEntry(at, length, exact, code);
    return length;
}

// The common codes, with the decoder's state in locals: literals, entries whose string stands
// in the output, and the entry being made from an exact previous string. Stops, without taking
// the code, at anything else (Clear, End, damaged data, the end of the buffered bits), which
// Step handles; returns the output position reached.
template <bool Emit>
std::int64_t LzwDecoder::FastRun(std::uint8_t* out, std::int64_t pos, std::int64_t count) {
    if (afterClear_ || endMet_) return pos;
    std::uint64_t bits = reader_.Bits();
    int avail = reader_.Count();
    int codeSize = codeSize_, nextFree = nextFreeCode_, growth = growthLimit_;
    int previous = previousCode_;
    std::int64_t previousAt = previousAt_, previousLength = previousLength_;
    bool previousExact = previousExact_;
    std::uint8_t first = firstPixel_;
    const int clear = clearCode_;
    std::uint16_t* const prefix = prefix_;
    std::uint8_t* const suffix = suffix_;
    std::int64_t* const where = at_;
    std::uint16_t* const length = length_;
    while (pos < count) {
        if (avail < codeSize) {
            reader_.Bits() = bits;
            reader_.Count() = avail;
            reader_.Fill();
            bits = reader_.Bits();
            avail = reader_.Count();
            if (avail < codeSize) break;
        }
        const int code = int(bits & ((1u << codeSize) - 1));
        std::int64_t n;
        bool exact = true;
        if (code < clear) {
            n = 1;
            first = std::uint8_t(code);
            if constexpr (Emit) out[pos] = first;
        } else if (code < nextFree && where[code] >= 0) {
            n = length[code];
            if constexpr (Emit) {
                first = out[where[code]];
                CopyString(out, where[code], pos, n, count);
            }
        } else if (code == nextFree && previousExact && previousLength < TableSize) {
            n = previousLength + 1;
            if constexpr (Emit) {
                first = out[previousAt];
                CopyString(out, previousAt, pos, previousLength, count);
                if (pos + previousLength < count) out[pos + previousLength] = first;
            }
        } else {
            break;
        }
        bits >>= codeSize;
        avail -= codeSize;
        if (nextFree < TableSize) {
            const bool known = previousExact && previousLength < TableSize;
            prefix[nextFree] = std::uint16_t(previous);
            suffix[nextFree] = first;
            where[nextFree] = known ? previousAt : kUnknown;
            length[nextFree] = std::uint16_t(known ? previousLength + 1 : 0);
            if (code == nextFree) exact = known;
            ++nextFree;
            if (nextFree >= growth && growth < TableSize) {
                growth *= 2;
                ++codeSize;
            }
        }
        previous = code;
        previousAt = pos;
        previousLength = n;
        previousExact = exact;
        if (exact && code >= clear) {
            where[code] = pos;
            length[code] = std::uint16_t(n);
        }
        pos += n;
    }
    reader_.Bits() = bits;
    reader_.Count() = avail;
    codeSize_ = codeSize;
    nextFreeCode_ = nextFree;
    growthLimit_ = growth;
    previousCode_ = previous;
    previousAt_ = previousAt;
    previousLength_ = previousLength;
    previousExact_ = previousExact;
    firstPixel_ = first;
    return pos;
}

template <bool Emit>
std::int64_t LzwDecoder::Run(std::uint8_t* out, std::int64_t count) {
    std::int64_t written = 0;
    while (written < count) {
        written = position_ = FastRun<Emit>(out, written, count);
        if (written >= count) break;
        const std::int64_t n = Step<Emit>(out, written, count);
        if (n < 0) break;
        written += n;
    }
    if (written > count) {
        truncated_ = true;
        written = count;
    }
    position_ = written;
    return written;
}

void LzwDecoder::Finish() {
    if (!truncated_) Step<false>(nullptr, 0, 0);
}

// Where each row decoded in file order belongs in an interlaced frame: every 8th row from 0,
// every 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<int> InterlacedRowOrder(int height) {
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    std::vector<int> order;
    order.reserve(std::size_t(height));
    for (int pass = 0; pass < 4; ++pass)
        for (int row = kStart[pass]; row < height; row += kStep[pass]) order.push_back(row);
    return order;
}

// Moves rows decoded in file order to their places, following each cycle of the permutation
// with one spare row.
void Deinterlace(std::uint8_t* pixels, int width, int height) {
    const std::vector<int> to = InterlacedRowOrder(height);
    std::vector<bool> placed(std::size_t(height), false);
    std::vector<std::uint8_t> carried(std::size_t(width), 0), spare(std::size_t(width), 0);
    const auto row = [&](int r) { return pixels + std::int64_t(r) * width; };
    for (int start = 0; start < height; ++start) {
        if (placed[std::size_t(start)]) continue;
        std::memcpy(carried.data(), row(start), std::size_t(width));
        for (int from = start; !placed[std::size_t(from)];) {
            const int target = to[std::size_t(from)];
            std::memcpy(spare.data(), row(target), std::size_t(width));
            std::memcpy(row(target), carried.data(), std::size_t(width));
            carried.swap(spare);
            placed[std::size_t(from)] = true;
            from = target;
        }
    }
}

// Reads the minimum code size; false when the frame has no data to decode.
bool StartData(TGIFSubImage& frame, TStream& stream, bool report, int& initialCodeSize) {
    initialCodeSize = ReadU8(stream);
    if (initialCodeSize < 0) return false;
    if (initialCodeSize > MaxInitialCodeSize) {
        if (report) frame.ReportWarning(GIFWarningSeverity, gifmsg::SBadCodeSize);
        SkipSubBlocks(stream);
        return false;
    }
    return true;
}

void Decode(TGIFSubImage& frame, TStream& stream, std::uint8_t* pixels, bool report, bool later) {
    int initialCodeSize = 0;
    if (!StartData(frame, stream, report, initialCodeSize)) return;
    auto decoder = std::make_unique<LzwDecoder>(frame, stream, initialCodeSize, report);
    if (!pixels) return decoder->Finish();
    std::int64_t written = 0;
    try {
        written = decoder->Run<true>(pixels, frame.PixelCount());
        decoder->Finish();
    } catch (const GIFException& failure) {
        if (!later) throw;
        written = decoder->Position();
        if (report) frame.ReportWarning(GIFWarningSeverity, failure.Message());
    }
    // Copies of eight bytes may have run past the last string.
    std::memset(pixels + written, frame.FillIndex(), std::size_t(frame.PixelCount() - written));
    if (frame.Interlaced()) Deinterlace(pixels, frame.Width(), frame.Height());
}

}  // namespace

void DecodePixels(TGIFSubImage& frame, TStream& stream) {
    Decode(frame, stream, frame.MakePixelBuffer(frame.FillIndex()), true, false);
}

void DecodeLaterPixels(TGIFSubImage& frame, TStream& stream, std::uint8_t* pixels, bool report) {
    Decode(frame, stream, pixels, report, true);
}

}  // namespace gif
