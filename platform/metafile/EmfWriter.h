#pragma once
// Builds an enhanced metafile record by record: the header is written last, when the size, the
// record count and the object-table size are known.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/GdiTypes.h"

namespace platform {

class EmfWriter {
public:
    // frame in 0.01 mm; the reference device in pixels and millimetres.
    EmfWriter(const RECT& frame, std::int32_t deviceX, std::int32_t deviceY, std::int32_t mmX, std::int32_t mmY);

    // A record whose body is these 32-bit values.
    void Record(std::uint32_t type, std::initializer_list<std::int32_t> body);
    // A record whose body starts with these 32-bit values and goes on with raw bytes (padded to 4).
    void Record(std::uint32_t type, const std::vector<std::int32_t>& head, const std::vector<std::uint8_t>& tail = {});
    // The object-table size the header announces: at least one more than every index used.
    void UseObject(std::uint32_t index);
    std::size_t Size() const { return bytes_.size(); }

    // The finished metafile, with its end record.
    std::vector<std::uint8_t> Finish();

private:
    void Put(std::uint32_t value);
    void Set(std::size_t at, std::uint32_t value);

    std::vector<std::uint8_t> bytes_;
    std::uint32_t records_ = 1;
    std::uint32_t handles_ = 1;
};

}  // namespace platform
