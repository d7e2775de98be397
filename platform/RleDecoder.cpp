#include "platform/RleDecoder.h"

#include <algorithm>

namespace platform {

namespace {
constexpr std::uint8_t kEscape = 0;
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;
}  // namespace

RleDecoder::RleDecoder(int bitsPerPixel, std::int32_t width, std::int32_t height)
    : bits_(bitsPerPixel), width_(std::max(width, 0)), height_(std::max(height, 0)), indices_(std::size_t(width_)),
      set_(std::size_t(width_)) {}

void RleDecoder::Put(std::uint8_t index) {
    // The position stops at the row's end: pixels beyond it are dropped, never wrapped.
    if (x_ >= width_) return;
    indices_[std::size_t(x_)] = index;
    set_[std::size_t(x_)] = 1;
    dirty_ = true;
    ++x_;
}

void RleDecoder::Run(std::uint8_t count, std::uint8_t value) {
    for (unsigned k = 0; k < count && x_ < width_; ++k)
        Put(bits_ == 8 ? value : std::uint8_t((k & 1) ? value & 0x0F : value >> 4));
}

bool RleDecoder::Literal(std::uint8_t count) {
    const std::size_t bytes = bits_ == 8 ? count : (std::size_t(count) + 1) / 2;
    for (unsigned k = 0; k < count; ++k) {
        const std::size_t at = pos_ + (bits_ == 8 ? k : k / 2);
        if (at >= size_) return false;
        Put(bits_ == 8 ? data_[at] : std::uint8_t((k & 1) ? data_[at] & 0x0F : data_[at] >> 4));
    }
    pos_ = std::min(size_, pos_ + bytes + (bytes & 1));
    return true;
}

void RleDecoder::Flush(RleRowSink& sink) {
    if (dirty_ && y_ < height_) sink.Row(y_, indices_.data(), set_.data());
    std::fill(set_.begin(), set_.end(), 0);
    dirty_ = false;
}

void RleDecoder::NextRows(std::int32_t rows, RleRowSink& sink) {
    Flush(sink);
    y_ = rows > height_ - y_ ? height_ : y_ + rows;
}

void RleDecoder::Decode(const std::uint8_t* data, std::size_t size, RleRowSink& sink) {
    data_ = data;
    size_ = data ? size : 0;
    pos_ = 0;
    while (y_ < height_ && pos_ + 2 <= size_) {
        const std::uint8_t first = data_[pos_], second = data_[pos_ + 1];
        pos_ += 2;
        if (first != kEscape) {
            Run(first, second);
        } else if (second == kEndOfLine) {
            NextRows(1, sink);
            x_ = 0;
        } else if (second == kEndOfBitmap) {
            break;
        } else if (second == kDelta) {
            if (pos_ + 2 > size_) break;
            const std::uint8_t dx = data_[pos_], dy = data_[pos_ + 1];
            pos_ += 2;
            if (dy > 0) NextRows(dy, sink);
            x_ = std::int32_t(std::min<std::int64_t>(width_, std::int64_t(x_) + dx));
        } else if (!Literal(second)) {
            break;
        }
    }
    Flush(sink);
}

}  // namespace platform
