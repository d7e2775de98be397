// Enhanced metafiles as validated bytes: framing checks, the header, the stored palette.
#include "platform/metafile/EnhMetaFile.h"

#include <algorithm>
#include <span>

#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

namespace {

bool HeaderSound(const RecordReader& r) {
    return r.Size() >= kMinEnhHeaderBytes && r.U32(0) == EMR_HEADER && r.U32(40) == ENHMETA_SIGNATURE;
}

// Every record from the start: size at least 8, a multiple of 4 and inside the block. The walk
// ends at the end record or at the end of the block.
bool FramingSound(std::span<const std::uint8_t> block) {
    std::size_t pos = 0;
    bool first = true;
    while (block.size() - pos >= 8) {
        const RecordReader head(block.subspan(pos, 8));
        const std::uint32_t type = head.U32(0), size = head.U32(4);
        if (size < 8 || size % 4 != 0 || size > block.size() - pos) return false;
        if (first && !HeaderSound(RecordReader(block.subspan(pos, size)))) return false;
        first = false;
        pos += size;
        if (type == EMR_EOF) return true;
    }
    return !first && pos == block.size();
}

// The end record, when the walk reaches one.
std::span<const std::uint8_t> EndRecord(std::span<const std::uint8_t> block) {
    std::size_t pos = 0;
    while (block.size() - pos >= 8) {
        const RecordReader head(block.subspan(pos, 8));
        const std::uint32_t size = head.U32(4);
        if (size < 8 || size > block.size() - pos) break;
        if (head.U32(0) == EMR_EOF) return block.subspan(pos, size);
        pos += size;
    }
    return {};
}

}  // namespace

HENHMETAFILE SetEnhMetaFileBits(std::size_t size, const std::uint8_t* data) {
    if (!data || size < kMinEnhHeaderBytes || size > kMaxMetafileBytes ||
        !FramingSound(std::span<const std::uint8_t>(data, size))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    try {
        return std::make_shared<const EnhMetaFile>(std::vector<std::uint8_t>(data, data + size));
    } catch (const std::bad_alloc&) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
}

std::size_t GetEnhMetaFileBits(const HENHMETAFILE& emf, std::size_t size, std::uint8_t* buffer) {
    if (!emf) return 0;
    const auto& bytes = emf->Bytes();
    if (!buffer) return bytes.size();
    const std::size_t n = std::min(size, bytes.size());
    std::copy_n(bytes.begin(), n, buffer);
    return n;
}

ENHMETAHEADER HeaderOf(const EnhMetaFile& emf) { return HeaderOf(std::span<const std::uint8_t>(emf.Bytes())); }

ENHMETAHEADER HeaderOf(std::span<const std::uint8_t> block) {
    const std::uint32_t size = RecordReader(block).U32(4);
    if (size > block.size()) throw BadRecord();
    const RecordReader r(block.first(size));
    return ENHMETAHEADER{.iType = r.U32(0),
                         .nSize = r.U32(4),
                         .rclBounds = r.RectL(8),
                         .rclFrame = r.RectL(24),
                         .dSignature = r.U32(40),
                         .nVersion = r.U32(44),
                         .nBytes = r.U32(48),
                         .nRecords = r.U32(52),
                         .nHandles = r.U16(56),
                         .nDescription = r.U32(60),
                         .offDescription = r.U32(64),
                         .nPalEntries = r.U32(68),
                         .szlDevice = SIZEL{r.I32(72), r.I32(76)},
                         .szlMillimeters = SIZEL{r.I32(80), r.I32(84)}};
}

std::size_t GetEnhMetaFileHeader(const HENHMETAFILE& emf, ENHMETAHEADER* header) {
    if (!emf) return 0;
    const ENHMETAHEADER h = HeaderOf(*emf);
    if (header) *header = h;
    return h.nSize;
}

HENHMETAFILE CopyEnhMetaFile(const HENHMETAFILE& emf) {
    if (!emf) return nullptr;
    return SetEnhMetaFileBits(emf->Bytes().size(), emf->Bytes().data());
}

bool DeleteEnhMetaFile(const HENHMETAFILE& emf) { return bool(emf); }

unsigned GetEnhMetaFilePaletteEntries(const HENHMETAFILE& emf, unsigned count, PALETTEENTRY* entries) {
    if (!emf) return 0;
    const auto end = EndRecord(emf->Bytes());
    if (end.size() < 16) return 0;
    try {
        const RecordReader r(end);
        const std::uint32_t stored = std::min<std::uint32_t>(r.U32(8), (r.Size() - 16) / 4);
        if (!entries) return stored;
        const std::uint32_t n = std::min(stored, count);
        for (std::uint32_t i = 0; i < n; ++i) {
            const std::size_t at = std::size_t(r.U32(12)) + 4 * std::size_t(i);
            entries[i] = PALETTEENTRY{r.U8(at), r.U8(at + 1), r.U8(at + 2), r.U8(at + 3)};
        }
        return n;
    } catch (const BadRecord&) {
        return 0;
    }
}

}  // namespace platform
