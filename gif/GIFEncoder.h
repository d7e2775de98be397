#pragma once
// Encoding of a frame's colour indices into Table Based Image Data: the sub-block writer, the
// common encoder (code packing, pixel walk) and its two kinds, LZW and run-length.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

class TGIFSubImage;
class TStream;

namespace gif {

// Writes bytes to a stream as data sub-blocks of up to 255 bytes.
class TGIFWriter {
public:
    explicit TGIFWriter(TStream& target) : target_(target) {}
    void Put(std::uint8_t byte) {
        block_[fill_++] = byte;
        if (fill_ == kBlockBytes + 1) WriteBlock();
    }
    // Writes the last, partly filled sub-block.
    void Flush() {
        if (fill_ > 1) WriteBlock();
    }

private:
    static constexpr int kBlockBytes = 255;
    void WriteBlock();

    TStream& target_;
    std::uint8_t block_[kBlockBytes + 1];
    int fill_ = 1;
};

class TGIFEncoder {
public:
    virtual ~TGIFEncoder() = default;
    // Writes the minimum code size, the data sub-blocks and the block terminator.
    void EncodeFrame(TGIFSubImage& frame, TStream& stream);

protected:
    virtual void EmitCode(int code);
    virtual void EmitClear();
    virtual void EncodeBody() = 0;

    // The frame's rows in file order (interlaced or not), each Width() indices.
    int RowCount() const { return int(rows_.size()); }
    const std::uint8_t* Row(int i) const { return rows_[std::size_t(i)]; }
    int Width() const { return width_; }
    // Raises "Color not in color table" for an index beyond the frame's colours.
    void CheckColor(std::uint8_t index) const {
        if (index >= colorLimit_) ColorNotInTable();
    }
    void CheckRow(const std::uint8_t* row) const {
        std::uint8_t largest = 0;
        for (int x = 0; x < width_; ++x) largest = std::max(largest, row[x]);
        CheckColor(largest);
    }
    [[noreturn]] static void ColorNotInTable();

    // The codes and the first code width that follow from the minimum code size.
    int StartWidth() const { return minCodeSize_ + 1; }
    int ClearCode() const { return 1 << minCodeSize_; }
    int EndCode() const { return ClearCode() + 1; }
    int FirstFreeCode() const { return ClearCode() + 2; }

    int minCodeSize_ = 2;
    int width_bits_ = 3;
    int widthLimit_ = 7;
    bool clearFlag_ = false;

private:
    void SetUp(TGIFSubImage& frame, int bits);

    TGIFWriter* writer_ = nullptr;
    int colorLimit_ = 0;
    std::uint32_t accumulator_ = 0;
    int accumulatedBits_ = 0;
    int width_ = 0;
    std::vector<const std::uint8_t*> rows_;
};

// The LZW encoder with its 8009-entry string table.
class TLZWEncoder final : public TGIFEncoder {
protected:
    void EmitCode(int code) override;
    void EmitClear() override;
    void EncodeBody() override;

private:
    static constexpr int kHashSize = 8009;
    int Find(std::uint32_t key, int& slot) const;

    std::vector<std::uint32_t> table_ = std::vector<std::uint32_t>(kHashSize, 0xFFFFFFFFu);
    int nextFree_ = 0;
};

// Codes that never need strings longer than a run of one colour.
class TRLEEncoder final : public TGIFEncoder {
protected:
    void EmitClear() override;
    void EncodeBody() override;

private:
    void EmitPlain(int code);
    void EmitRunCode(int length);
    int RunCost(int count) const;
    void RunFromClear(int count);
    void RunByClearOrRepeat(int count);
    void RunWithTable(int count);
    void RestoreClearCount();
    void FlushRun(int count);

    int codesSinceClear_ = 0;
    int growthCount_ = 0;
    int growthStart_ = 0;
    int clearCount_ = 0;
    int clearStart_ = 0;
    int longestRun_ = 0;
    int longestRunPixel_ = -1;
    int runCodeLimit_ = 0;
    int pixel_ = -1;
};

// Chooses the image's encoder kind and writes the frame's image data.
void EncodeFrame(TGIFSubImage& frame, TStream& stream);

}  // namespace gif
