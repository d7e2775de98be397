#pragma once
// The metafile service: enhanced metafiles held as their bytes, and the calls the picture model
// makes on them, named after the Windows calls they replace.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/Gdi.h"
#include "platform/metafile/EmfRecordType.h"

namespace platform {

// A validated enhanced metafile: the header record first, every record framed inside the block.
class EnhMetaFile : public GdiObject {
public:
    explicit EnhMetaFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

using HENHMETAFILE = std::shared_ptr<const EnhMetaFile>;

struct SIZEL {
    std::int32_t cx = 0, cy = 0;
};

// The leading fields of the header record that callers use.
struct ENHMETAHEADER {
    std::uint32_t iType = 0;
    std::uint32_t nSize = 0;
    RECT rclBounds;  // reference-device pixels
    RECT rclFrame;   // 0.01 mm
    std::uint32_t dSignature = 0;
    std::uint32_t nVersion = 0;
    std::uint32_t nBytes = 0;
    std::uint32_t nRecords = 0;
    std::uint16_t nHandles = 0;
    std::uint32_t nDescription = 0;
    std::uint32_t offDescription = 0;
    std::uint32_t nPalEntries = 0;
    SIZEL szlDevice;
    SIZEL szlMillimeters;
};

constexpr std::uint32_t ENHMETA_SIGNATURE = 0x464D4520;

// The header of a validated metafile.
ENHMETAHEADER HeaderOf(const EnhMetaFile& emf);
// The header at the start of these bytes; BadRecord when they are too short for it.
ENHMETAHEADER HeaderOf(std::span<const std::uint8_t> bytes);

// A metafile from `size` bytes; null (last error ERROR_INVALID_PARAMETER) unless the header is
// sound and every record has a size of at least 8, a multiple of 4, inside the block.
HENHMETAFILE SetEnhMetaFileBits(std::size_t size, const std::uint8_t* data);
// The metafile's size in bytes; with a buffer, copies up to `size` of them.
std::size_t GetEnhMetaFileBits(const HENHMETAFILE& emf, std::size_t size, std::uint8_t* buffer);
// Fills the header; returns the bytes of the header record (0 for none).
std::size_t GetEnhMetaFileHeader(const HENHMETAFILE& emf, ENHMETAHEADER* header);
HENHMETAFILE CopyEnhMetaFile(const HENHMETAFILE& emf);
bool DeleteEnhMetaFile(const HENHMETAFILE& emf);
// The palette stored in the end record: the count when `entries` is null, else the copied count.
unsigned GetEnhMetaFilePaletteEntries(const HENHMETAFILE& emf, unsigned count, PALETTEENTRY* entries);
// Plays the records into the context's surface, the picture frame fitted to the inclusive
// rectangle. Pixels outside what the records draw stay as they were.
bool PlayEnhMetaFile(const HDC& dc, const HENHMETAFILE& emf, const RECT& rect);

}  // namespace platform
