#include "gif/LzwDecoder.h"

#include <algorithm>
#include <climits>
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
// Bits are loaded, and strings copied, eight bytes at a time.
constexpr int kWord = 8;
// The bit buffer is filled when a code needs more bits than it holds, to more than this many.
constexpr int kFull = 56;

inline std::uint64_t LoadWord(const std::uint8_t* at) {
    std::uint64_t word;
    std::memcpy(&word, at, kWord);
    return word;
}

// Copies `length` bytes from `from` to `to` a word at a time, writing up to seven bytes past the
// end. A source that overlaps the target from below repeats its first `to - from` bytes, as a
// byte-by-byte copy would, when that distance is a word or more, or when one word covers the
// whole copy.
inline void CopyWords(std::uint8_t* to, const std::uint8_t* from, std::int64_t length) {
    std::int64_t i = 0;
    do {
        const std::uint64_t word = LoadWord(from + i);
        std::memcpy(to + i, &word, kWord);
        i += kWord;
    } while (i < length);
}

// Copies a string that stands earlier in the output, without writing past `count`.
inline void CopyString(std::uint8_t* out, std::int64_t from, std::int64_t to, std::int64_t length, std::int64_t count) {
    if (to + length + kWord <= count) CopyWords(out + to, out + from, length);
    else std::memmove(out + to, out + from, std::size_t(std::min(length, count - to)));
}

// Codes of the data sub-blocks, least significant bit first, taken from a 64-bit buffer that
// is refilled from one sub-block at a time.
class CodeReader {
public:
    CodeReader(TGIFSubImage& frame, TStream& stream, bool report) : frame_(frame), stream_(stream), report_(report) {}

    // The next code of `width` bits, or kBitsRanOut.
    int Read(int width) {
        if (count < width) {
            Fill();
            if (count < width) return RanOut();
        }
        const int code = int(bits & ((1u << width) - 1));
        bits >>= width;
        count -= width;
        return code;
    }
    bool DataEnded() const { return dataEnded_; }
    void Warn(const char* message) {
        if (report_) frame_.ReportWarning(GIFWarningSeverity, message);
    }

    // Takes whole bytes until more than 56 bits are held, as far as the data goes. Bits above
    // `count` are either zero or the very bytes that come next at the same place, so a byte added
    // again there changes nothing.
    void Fill() {
        while (count <= kFull) {
            const int left = end - at;
            if (left >= kWord) {
                bits |= LoadWord(data_ + at) << count;
                const int taken = (64 - count) >> 3;
                at += taken;
                count += taken * 8;
            } else if (left > 0) {
                bits |= std::uint64_t(data_[at++]) << count;
                count += 8;
            } else if (!NextBlock()) {
                return;
            }
        }
    }
    // The next sub-block, once the present one is used up; false when there is none.
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
        if (n > 0) ReadExact(stream_, data_, n);
        at = 0;
        end = n;
        return n > 0 || NextBlock();
    }
    const std::uint8_t* Data() const { return data_; }

    // The decoder's fast loop keeps these in registers and hands them back.
    std::uint64_t bits = 0;
    int count = 0;        // valid bits in `bits`
    int at = 0, end = 0;  // the unread bytes of Data()

private:
    int RanOut() {
        if (dataEnded_ && count == 0) Warn(gifmsg::SBitBufferUnderrun);
        return kBitsRanOut;
    }

    TGIFSubImage& frame_;
    TStream& stream_;
    const bool report_;
    bool dataEnded_ = false;
    std::uint8_t data_[255] = {};
};

// The variable-length-code LZW of GIF. Each table entry made from valid data is one word: where
// its string stands in the output and how long it is, so a string is copied from there in one go
// (a literal's too, once it has been written). An entry is made from the previous string and the
// first pixel of the next, which in the output is exactly the previous string one pixel longer;
// prefix and last pixel are kept only for entries whose string was never written out whole
// (made from codes beyond the table's end by damaged data), which are resolved by walking their
// prefix chain down to an entry whose string stands in the output, or to a literal.
class LzwDecoder {
public:
    LzwDecoder(TGIFSubImage& frame, TStream& stream, int initialCodeSize, bool report)
        : reader_(frame, stream, report), stream_(stream), initialCodeSize_(initialCodeSize),
          clearCode_(1 << initialCodeSize), endCode_(clearCode_ + 1) {
        ResetTable();
        const int literals = std::min(clearCode_, TableSize);
        for (int c = 0; c < literals; ++c) suffix_[c] = std::uint8_t(c);
        std::fill(prefix_, prefix_ + literals, 0);
    }

    // Decodes up to `count` pixels into out; returns how many pixels the data gave.
    std::int64_t Run(std::uint8_t* out, std::int64_t count);
    // The one further code asked for after the frame is full, which normally meets the End code
    // and so moves the stream past the data.
    void Finish();
    // The pixels written so far, also when a step failed.
    std::int64_t Position() const { return position_; }

private:
    // One word: where an entry's string stands in the output, and its length; a length of 0 for
    // an entry not made yet, one whose string does not stand whole in the output, a literal not
    // written yet, and the Clear and End codes.
    struct Entry {
        std::uint64_t word = 0;
        static Entry Of(std::int64_t at, std::int64_t length) {
            return {std::uint64_t(length) << 32 | std::uint32_t(at)};
        }
        std::uint32_t At() const { return std::uint32_t(word); }
        std::uint32_t Length() const { return std::uint32_t(word >> 32); }
    };

    void ResetTable();
    int EndOfData();
    template <bool Emit>
    std::int64_t Step(std::uint8_t* out, std::int64_t at, std::int64_t count);
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
    Entry table_[TableSize];
    std::uint16_t prefix_[TableSize];
    std::uint8_t suffix_[TableSize];
    std::uint8_t stack_[OutputStackSize];
};

// Literals keep where they were last written: that stays true across a Clear.
void LzwDecoder::ResetTable() {
    if (clearCode_ < TableSize) {
        std::fill(prefix_ + clearCode_, prefix_ + TableSize, 0);
        std::fill(suffix_ + clearCode_, suffix_ + TableSize, 0);
        std::fill(table_ + clearCode_, table_ + TableSize, Entry{});
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
// pixel) found by walking prefixes onto the stack down to a literal or to an entry whose string
// stands in the output, then written out in order. Returns its length. The string is the code's
// lasting table string only when the chain used no entry that is still to be made: such an entry
// changes when it is.
template <bool Emit>
std::int64_t LzwDecoder::WalkChain(int code, std::uint8_t* out, std::int64_t at, std::int64_t count, bool& exact) {
    int top = 0;
    exact = code < nextFreeCode_;
    if (code >= nextFreeCode_) {
        stack_[top++] = firstPixel_;
        code = previousCode_;
    }
    // A valid chain is never longer than the table; a longer one loops. An entry whose string
    // stands in the output ends the walk, its own chain counted by its length.
    Entry known;
    for (int steps = 0; code >= clearCode_; ++steps) {
        if (code < nextFreeCode_ && table_[code].Length() > 0) {
            known = table_[code];
            if (steps + std::int64_t(known.Length()) - 2 >= TableSize) RaiseGIFError(gifmsg::SCircularTable);
            break;
        }
        const int prefix = prefix_[code];
        if (code >= nextFreeCode_) exact = false;
        if (prefix == code || steps >= TableSize) RaiseGIFError(gifmsg::SCircularTable);
        stack_[top++] = suffix_[code];
        code = prefix;
    }
    if (known.Length() == 0) {
        firstPixel_ = suffix_[code];
        stack_[top++] = firstPixel_;
    }
    if constexpr (Emit) {
        const std::int64_t room = count - at;
        const std::int64_t head = std::min<std::int64_t>(known.Length(), room);
        if (head > 0) {
            firstPixel_ = out[known.At()];
            std::memmove(out + at, out + known.At(), std::size_t(head));
        }
        const std::int64_t n = std::min<std::int64_t>(top, room - head);
        for (std::int64_t i = 0; i < n; ++i) out[at + head + i] = stack_[top - 1 - i];
    }
    return known.Length() + top;
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
        table_[entry] = known ? Entry::Of(previousAt_, previousLength_ + 1) : Entry{};
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
    if (exact && incoming != clearCode_ && incoming != endCode_) table_[incoming] = Entry::Of(at, length);
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
        previousCode_ = code;
        previousAt_ = at;
        previousLength_ = 1;
        previousExact_ = code < clearCode_;
        if constexpr (Emit) {
            out[at] = firstPixel_;
            if (previousExact_) table_[code] = Entry::Of(at, 1);
        }
        return 1;
    }
    if (code == endCode_) return EndOfData();
    std::int64_t length;
    bool exact = true;
    if (code < clearCode_) {
        length = 1;
        firstPixel_ = std::uint8_t(code);
        if constexpr (Emit) out[at] = firstPixel_;
    } else if (code < nextFreeCode_ && table_[code].Length() > 0) {
        const Entry entry = table_[code];
        length = entry.Length();
        if constexpr (Emit) {
            firstPixel_ = out[entry.At()];
            CopyString(out, entry.At(), at, length, count);
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
    if constexpr (!Emit) exact = false;
    AddEntry(at, length, exact, code);
    return length;
}

// The common codes, with the decoder's state in locals: every code whose string stands in the
// output (literals once written, and entries), and the entry being made from an exact previous
// string. Runs while the output has room for the longest string and a word behind it, so that
// strings are copied a word at a time without checks. Stops, without taking the code, at
// anything else (Clear, End, damaged data, the end of the data), which Step handles; returns the
// output position reached.
std::int64_t LzwDecoder::FastRun(std::uint8_t* out, std::int64_t pos, std::int64_t count) {
    const std::int64_t last = count - TableSize - kWord;
    if (afterClear_ || endMet_ || !previousExact_ || previousLength_ >= TableSize || pos > last) return pos;
    CodeReader& reader = reader_;
    const std::uint8_t* const data = reader.Data();
    std::uint64_t bits = reader.bits;
    int avail = reader.count, at = reader.at, lastWord = reader.end - kWord;
    int codeSize = codeSize_, nextFree = nextFreeCode_;
    // Where the code width grows next; never beyond 12 bits.
    int growAt = growthLimit_ < TableSize ? growthLimit_ : INT_MAX;
    std::uint32_t mask = (1u << codeSize) - 1;
    int code = previousCode_;
    // The entry the next code makes: the previous string one pixel longer.
    Entry made = Entry::Of(previousAt_, previousLength_ + 1);
    Entry* const table = table_;
    const std::int64_t start = pos;
    while (pos <= last) {
        if (avail < codeSize) {
            if (at <= lastWord) {
                bits |= LoadWord(data + at) << avail;
                const int taken = (64 - avail) >> 3;
                at += taken;
                avail += taken * 8;
            } else {
                reader.bits = bits;
                reader.count = avail;
                reader.at = at;
                reader.Fill();
                bits = reader.bits;
                avail = reader.count;
                at = reader.at;
                lastWord = reader.end - kWord;
                if (avail < codeSize) break;
            }
        }
        const int incoming = int(bits & mask);
        const Entry entry = table[incoming];
        std::uint32_t n = entry.Length();
        if (n - 1 < TableSize - 1) {
            CopyWords(out + pos, out + entry.At(), n);
        } else if (incoming == nextFree && made.Length() < TableSize) {
            // The string being made: the previous one and its own first pixel.
            n = made.Length();
            CopyWords(out + pos, out + made.At(), n - 1);
            out[pos + n - 1] = out[made.At()];
        } else {
            break;
        }
        code = incoming;
        bits >>= codeSize;
        avail -= codeSize;
        table[code] = Entry::Of(pos, n);
        if (nextFree < TableSize) {
            table[nextFree] = made;
            if (++nextFree >= growAt) {
                growAt = 2 * growAt < TableSize ? 2 * growAt : INT_MAX;
                ++codeSize;
                mask = (1u << codeSize) - 1;
            }
        }
        made = Entry::Of(pos, n + 1);
        pos += n;
    }
    reader.bits = bits;
    reader.count = avail;
    reader.at = at;
    if (pos == start) return pos;
    codeSize_ = codeSize;
    nextFreeCode_ = nextFree;
    growthLimit_ = growAt == INT_MAX ? TableSize : growAt;
    previousCode_ = code;
    previousAt_ = made.At();
    previousLength_ = made.Length() - 1;
    firstPixel_ = out[previousAt_];
    return pos;
}

std::int64_t LzwDecoder::Run(std::uint8_t* out, std::int64_t count) {
    std::int64_t written = 0;
    while (written < count) {
        written = position_ = FastRun(out, written, count);
        if (written >= count) break;
        const std::int64_t n = Step<true>(out, written, count);
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
        written = decoder->Run(pixels, frame.PixelCount());
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
