// Enhanced-metafile records written little-endian, the header completed at the end.
#include "platform/metafile/EmfWriter.h"

#include <algorithm>

#include "platform/LittleEndian.h"
#include "platform/metafile/EnhMetaFile.h"

namespace platform {

namespace {

constexpr std::uint32_t kHeaderBytes = 108;
constexpr std::uint32_t kVersion = 0x10000;

}  // namespace

EmfWriter::EmfWriter(const RECT& frame, std::int32_t deviceX, std::int32_t deviceY, std::int32_t mmX,
                     std::int32_t mmY) {
    const auto px = [](std::int32_t units, std::int32_t device, std::int32_t mm) {
        return mm > 0 ? std::int32_t(std::int64_t(units) * device / (std::int64_t(mm) * 100)) : units;
    };
    Put(EMR_HEADER);
    Put(kHeaderBytes);
    for (std::int32_t v : {px(frame.left, deviceX, mmX), px(frame.top, deviceY, mmY), px(frame.right, deviceX, mmX),
                           px(frame.bottom, deviceY, mmY), frame.left, frame.top, frame.right, frame.bottom})
        Put(std::uint32_t(v));
    Put(ENHMETA_SIGNATURE);
    Put(kVersion);
    Put(0);  // bytes, filled in by Finish
    Put(0);  // records
    Put(0);  // handles and reserved
    Put(0);  // no description
    Put(0);
    Put(0);  // no palette
    for (std::int32_t v : {deviceX, deviceY, mmX, mmY}) Put(std::uint32_t(v));
    Put(0);  // no pixel format, no OpenGL
    Put(0);
    Put(0);
    Put(std::uint32_t(mmX) * 1000);  // micrometres
    Put(std::uint32_t(mmY) * 1000);
}

void EmfWriter::Put(std::uint32_t value) { AppendLittleU32(bytes_, value); }

void EmfWriter::Set(std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_[at + std::size_t(i)] = std::uint8_t(value >> (8 * i));
}

void EmfWriter::Record(std::uint32_t type, std::initializer_list<std::int32_t> body) {
    Record(type, std::vector<std::int32_t>(body));
}

void EmfWriter::Record(std::uint32_t type, const std::vector<std::int32_t>& head,
                       const std::vector<std::uint8_t>& tail) {
    const std::size_t start = bytes_.size();
    Put(type);
    Put(0);
    for (std::int32_t v : head) Put(std::uint32_t(v));
    bytes_.insert(bytes_.end(), tail.begin(), tail.end());
    while (bytes_.size() % 4) bytes_.push_back(0);
    Set(start + 4, std::uint32_t(bytes_.size() - start));
    ++records_;
}

void EmfWriter::UseObject(std::uint32_t index) { handles_ = std::max(handles_, index + 1); }

std::vector<std::uint8_t> EmfWriter::Finish() {
    Record(EMR_EOF, {0, 16, 20});
    Set(48, std::uint32_t(bytes_.size()));
    Set(52, records_);
    Set(56, std::min<std::uint32_t>(handles_, 0xFFFF));
    return std::move(bytes_);
}

}  // namespace platform
