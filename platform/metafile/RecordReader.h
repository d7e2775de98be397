#pragma once
// Checked reads from one metafile record: every read names its offset from the record start and
// fails with BadRecord when it would leave the record, so a damaged record is skipped whole.

#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>

#include "platform/GdiTypes.h"
#include "platform/LittleEndian.h"

namespace platform {

struct BadRecord : std::runtime_error {
    BadRecord() : std::runtime_error("metafile record out of bounds") {}
};

class RecordReader {
public:
    explicit RecordReader(std::span<const std::uint8_t> record) : bytes_(record) {}

    std::size_t Size() const { return bytes_.size(); }
    std::uint32_t Type() const { return U32(0); }

    std::uint8_t U8(std::size_t offset) const { return *Need(offset, 1); }
    std::uint16_t U16(std::size_t offset) const { return LittleU16(Need(offset, 2)); }
    std::int16_t I16(std::size_t offset) const { return std::int16_t(U16(offset)); }
    std::uint32_t U32(std::size_t offset) const { return LittleU32(Need(offset, 4)); }
    std::int32_t I32(std::size_t offset) const { return std::int32_t(U32(offset)); }
    float F32(std::size_t offset) const {
        const std::uint32_t bits = U32(offset);
        float value;
        std::memcpy(&value, &bits, 4);
        return value;
    }
    POINT PointL(std::size_t offset) const { return POINT{I32(offset), I32(offset + 4)}; }
    POINT PointS(std::size_t offset) const { return POINT{I16(offset), I16(offset + 2)}; }
    // The value of type T at `offset`: 16 or 32 bits, signed or not.
    template <class T>
    T Value(std::size_t offset) const {
        static_assert(sizeof(T) == 2 || sizeof(T) == 4);
        if constexpr (sizeof(T) == 2) return T(U16(offset));
        else return T(U32(offset));
    }
    RECT RectL(std::size_t offset) const {
        return RECT{I32(offset), I32(offset + 4), I32(offset + 8), I32(offset + 12)};
    }

    // `count` elements of `elementSize` bytes at `offset`, all inside the record.
    std::span<const std::uint8_t> Block(std::size_t offset, std::uint64_t count, std::size_t elementSize) const {
        if (elementSize != 0 && count > bytes_.size() / elementSize) throw BadRecord();
        const std::size_t length = std::size_t(count) * elementSize;
        return std::span<const std::uint8_t>(Need(offset, length), length);
    }
    // A sub-reader over [offset, offset + length).
    RecordReader Sub(std::size_t offset, std::size_t length) const { return RecordReader(Block(offset, length, 1)); }

private:
    const std::uint8_t* Need(std::size_t offset, std::size_t length) const {
        if (offset > bytes_.size() || length > bytes_.size() - offset) throw BadRecord();
        return bytes_.data() + offset;
    }

    std::span<const std::uint8_t> bytes_;
};

// A record of one value of type T at byte `at`; the records' headers name the records.
template <class T, std::size_t at>
struct OneValueRecord {
    T value{};
    static OneValueRecord Read(const RecordReader& r) { return {r.Value<T>(at)}; }
};

}  // namespace platform
