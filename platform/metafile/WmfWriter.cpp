// Windows-metafile records as little-endian words; the header's size fields filled in at the end.
#include "platform/metafile/WmfWriter.h"

#include <algorithm>

#include "platform/LittleEndian.h"

namespace platform {

namespace {

constexpr std::uint16_t kDiskMetafile = 2, kHeaderWords = 9, kVersion = 0x0300;

}  // namespace

std::int16_t Clamp16(std::int64_t value) { return std::int16_t(std::clamp<std::int64_t>(value, INT16_MIN, INT16_MAX)); }

WmfWriter::WmfWriter() {
    for (int i = 0; i < kHeaderWords; ++i) Word(0);
}

void WmfWriter::Word(std::uint16_t w) { AppendLittleU16(bytes_, w); }

void WmfWriter::Record(std::uint16_t function, std::initializer_list<std::int32_t> words) {
    Record(function, std::vector<std::int32_t>(words));
}

void WmfWriter::Record(std::uint16_t function, const std::vector<std::int32_t>& words,
                       const std::vector<std::uint8_t>& tail) {
    const std::uint32_t size = 3 + std::uint32_t(words.size()) + std::uint32_t((tail.size() + 1) / 2);
    Word(std::uint16_t(size));
    Word(std::uint16_t(size >> 16));
    Word(function);
    for (std::int32_t w : words) Word(std::uint16_t(w));
    bytes_.insert(bytes_.end(), tail.begin(), tail.end());
    if (tail.size() % 2) bytes_.push_back(0);
    maxRecord_ = std::max(maxRecord_, size);
}

std::vector<std::uint8_t> WmfWriter::Finish() {
    Record(0x0000, {});
    const std::uint32_t words = std::uint32_t(bytes_.size() / 2);
    const std::uint16_t header[kHeaderWords] = {kDiskMetafile,
                                                kHeaderWords,
                                                kVersion,
                                                std::uint16_t(words),
                                                std::uint16_t(words >> 16),
                                                objects_,
                                                std::uint16_t(maxRecord_),
                                                std::uint16_t(maxRecord_ >> 16),
                                                0};
    for (int i = 0; i < kHeaderWords; ++i) {
        bytes_[2 * std::size_t(i)] = std::uint8_t(header[i]);
        bytes_[2 * std::size_t(i) + 1] = std::uint8_t(header[i] >> 8);
    }
    return std::move(bytes_);
}

}  // namespace platform
