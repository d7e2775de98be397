// The walk over enhanced records and the state records, back to their Windows-metafile forms.
#include "platform/metafile/EmfToWmf.h"

#include <algorithm>

#include "platform/metafile/EnhMetaFile.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/WinMetaFile.h"
#include "platform/metafile/EmfRecordType.h"

namespace platform {

namespace {

// Enhanced records whose one 32-bit value becomes the Windows record's one word.
struct ModePair {
    std::uint32_t emr;
    std::uint16_t meta;
};
constexpr ModePair kModes[] = {{17, 0x0103}, {18, 0x0102}, {19, 0x0106}, {20, 0x0104},
                               {21, 0x0107}, {22, 0x012E}, {115, 0x0149}};
// Enhanced records of an x, y pair that Windows metafiles store y first.
constexpr ModePair kPairs[] = {{9, 0x020C}, {10, 0x020B}, {11, 0x020E}, {12, 0x020D}, {27, 0x0214}, {54, 0x0213}};

}  // namespace

std::vector<std::uint8_t> EmfToWmf::Convert() {
    std::size_t pos = 0;
    while (emf_.size() - pos >= 8) {
        const RecordReader head(emf_.subspan(pos, 8));
        const std::uint32_t size = head.U32(4);
        if (size < 8 || size > emf_.size() - pos || head.U32(0) == EMR_EOF) break;
        try {
            ConvertRecord(RecordReader(emf_.subspan(pos, size)));
        } catch (const BadRecord&) {
            // A damaged record is left out.
        }
        if (writer_.Size() > kMaxMetafileBytes / 2) break;
        pos += size;
    }
    writer_.SetObjects(std::uint16_t(std::min<std::size_t>(used_.size(), 0xFFFF)));
    return writer_.Finish();
}

void EmfToWmf::ConvertRecord(const RecordReader& r) {
    ConvertState(r) || ConvertObject(r) || ConvertDrawing(r) || ConvertPoly(r) || ConvertText(r) || ConvertBitmap(r) ||
        ConvertRegion(r);
}

bool EmfToWmf::ConvertState(const RecordReader& r) {
    const std::uint32_t type = r.Type();
    for (const ModePair& m : kModes)
        if (m.emr == type) return writer_.Record(m.meta, {std::int32_t(r.U32(8))}), true;
    for (const ModePair& m : kPairs) {
        if (m.emr != type) continue;
        const std::int32_t x = r.I32(8), y = r.I32(12);
        if (type == EMR_MOVETOEX || type == EMR_LINETO) positionX_ = x, positionY_ = y;
        writer_.Record(m.meta, {Clamp16(y), Clamp16(x)});
        return true;
    }
    switch (type) {
    case EMR_SETBKCOLOR:
    case EMR_SETTEXTCOLOR:
    case EMR_SETMAPPERFLAGS: {
        const std::uint32_t v = r.U32(8);
        writer_.Record(type == EMR_SETBKCOLOR     ? 0x0201
                       : type == EMR_SETTEXTCOLOR ? 0x0209
                                                  : 0x0231,
                       {std::int32_t(v & 0xFFFF), std::int32_t(v >> 16)});
        return true;
    }
    case EMR_SAVEDC: writer_.Record(0x001E, {}); return true;
    case EMR_RESTOREDC: writer_.Record(0x0127, {Clamp16(r.I32(8))}); return true;
    case EMR_OFFSETCLIPRGN: writer_.Record(0x0220, {Clamp16(r.I32(12)), Clamp16(r.I32(8))}); return true;
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX:
        writer_.Record(type == EMR_SCALEWINDOWEXTEX ? 0x0410 : 0x0412,
                       {Clamp16(r.I32(20)), Clamp16(r.I32(16)), Clamp16(r.I32(12)), Clamp16(r.I32(8))});
        return true;
    default: return false;
    }
}

std::size_t GetWinMetaFileBits(const HENHMETAFILE& emf, std::size_t size, std::uint8_t* buffer) {
    if (!emf) return 0;
    const std::vector<std::uint8_t> bytes = EmfToWmf(emf->Bytes()).Convert();
    if (!buffer) return bytes.size();
    const std::size_t n = std::min(size, bytes.size());
    std::copy_n(bytes.begin(), n, buffer);
    return n;
}

}  // namespace platform
