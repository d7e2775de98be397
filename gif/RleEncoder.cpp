// The run-length encoder: after a Clear, a run of one colour is sent as a literal followed by
// codes for strings of 2, 3, 4 ... of that colour, which the decoder's table builds itself as it
// reads them. Later runs of the same colour reuse the longest such string.
#include <cmath>

#include "gif/GIFEncoder.h"
#include "gif/GIFLimits.h"

namespace gif {

void TRLEEncoder::EmitClear() {
    growthCount_ = growthStart_;
    clearCount_ = clearStart_;
    codesSinceClear_ = 0;
    longestRun_ = 0;
    TGIFEncoder::EmitClear();
    width_bits_ = StartWidth();
}

void TRLEEncoder::EmitPlain(int code) {
    clearFlag_ = false;
    EmitCode(code);
    ++codesSinceClear_;
    if (codesSinceClear_ == growthCount_) {
        growthCount_ += 1 << width_bits_;
        ++width_bits_;
    }
    if (codesSinceClear_ >= clearCount_) EmitClear();
}

// The decoder's entry for a run of `length` pixels of the run's colour.
void TRLEEncoder::EmitRunCode(int length) { EmitPlain(length == 1 ? pixel_ : FirstFreeCode() + length - 2); }

// Codes needed for a run sent from a Clear: runs of 1, 2, 3 ... as long as the table lasts.
int TRLEEncoder::RunCost(int count) const {
    const std::int64_t full = std::int64_t(runCodeLimit_) * (runCodeLimit_ + 1) / 2;
    int cost = 0;
    std::int64_t rest = count;
    while (rest >= full) {
        rest -= full;
        cost += runCodeLimit_;
    }
    if (rest > 0) {
        std::int64_t n = std::int64_t(std::sqrt(double(2 * rest)));
        while (n * (n + 1) / 2 < rest) ++n;
        while (n > 1 && (n - 1) * n / 2 >= rest) --n;
        cost += int(n);
    }
    return cost;
}

void TRLEEncoder::RestoreClearCount() {
    clearCount_ = clearStart_;
    if (codesSinceClear_ >= clearCount_) EmitClear();
}

void TRLEEncoder::RunFromClear(int count) {
    clearCount_ = runCodeLimit_;
    longestRunPixel_ = pixel_;
    int n = 1;
    while (count > 0) {
        if (n == 1) {
            EmitPlain(pixel_);
            count -= 1;
        } else if (count >= n) {
            EmitRunCode(n);
            longestRun_ = n;
            count -= n;
        } else {
            EmitRunCode(count);
            ++longestRun_;
            break;
        }
        n = codesSinceClear_ == 0 ? 1 : n + 1;
    }
    RestoreClearCount();
}

void TRLEEncoder::RunByClearOrRepeat(int count) {
    if (RunCost(count) + 1 < count) {
        EmitClear();
        RunFromClear(count);
        return;
    }
    for (int i = 0; i < count; ++i) EmitPlain(pixel_);
}

void TRLEEncoder::RunWithTable(int count) {
    const int m = longestRun_;
    int q = count / m;
    int r = count % m;
    int extra = r > 0 ? 1 : 0;
    if (codesSinceClear_ + q + extra > runCodeLimit_) {
        q = runCodeLimit_ - codesSinceClear_;
        r = count - m * q;
        extra = RunCost(r) + 1;
    }
    if (RunCost(count) + 1 < q + extra) {
        EmitClear();
        RunFromClear(count);
        return;
    }
    clearCount_ = runCodeLimit_;
    for (int i = 0; i < q; ++i) EmitRunCode(m);
    if (r > 0) {
        if (clearFlag_) {
            RunFromClear(r);
            return;
        }
        EmitRunCode(r);
    }
    RestoreClearCount();
}

void TRLEEncoder::FlushRun(int count) {
    if (count == 1) EmitPlain(pixel_);
    else if (clearFlag_) RunFromClear(count);
    else if (longestRun_ > 1 && longestRunPixel_ == pixel_) RunWithTable(count);
    else RunByClearOrRepeat(count);
}

void TRLEEncoder::EncodeBody() {
    growthStart_ = ClearCode() - 1;
    clearStart_ = minCodeSize_ > 3 ? ClearCode() - 2 : 9;
    runCodeLimit_ = TableSize - 1 - FirstFreeCode();
    EmitClear();
    pixel_ = -1;
    int run = 0;
    for (int r = 0; r < RowCount(); ++r) {
        const std::uint8_t* row = Row(r);
        for (int x = 0; x < Width(); ++x) {
            CheckColor(row[x]);
            if (row[x] == pixel_) {
                ++run;
                continue;
            }
            if (run > 0) FlushRun(run);
            pixel_ = row[x];
            run = 1;
        }
    }
    if (run > 0) FlushRun(run);
}

}  // namespace gif
