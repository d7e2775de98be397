#pragma once
// Builds a Windows metafile record by record; META_HEADER is completed at the end.

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace platform {

class WmfWriter {
public:
    WmfWriter();
    // A record of these 16-bit words, in file order.
    void Record(std::uint16_t function, std::initializer_list<std::int32_t> words);
    void Record(std::uint16_t function, const std::vector<std::int32_t>& words,
                const std::vector<std::uint8_t>& tail = {});
    void SetObjects(std::uint16_t count) { objects_ = count; }
    std::size_t Size() const { return bytes_.size(); }
    std::vector<std::uint8_t> Finish();

private:
    void Word(std::uint16_t w);
    std::vector<std::uint8_t> bytes_;
    std::uint32_t maxRecord_ = 3;
    std::uint16_t objects_ = 0;
};

// A 32-bit coordinate held to the 16 bits Windows metafiles have.
std::int16_t Clamp16(std::int64_t value);

}  // namespace platform
