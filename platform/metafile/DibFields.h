#pragma once

#include <cstddef>

namespace platform {

// Where the u32 fields that locate a record's bitmap stand: header offset, header size, bits
// offset and bits size, in that order from `at`.
struct DibFields {
    std::size_t at;
};

}  // namespace platform
