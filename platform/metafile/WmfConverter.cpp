// The walk over Windows-metafile records, the header checks, and the frame of the result.
#include "platform/metafile/WmfConverter.h"

#include <cmath>

#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/RecordPairs.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::size_t kMetaHeaderBytes = 18;
constexpr std::uint16_t kMetaHeaderWords = 9;
constexpr std::int32_t MM_ANISOTROPIC_MODE = 8;
// The reference device of converted metafiles: 96 pixels per inch exactly.
constexpr std::int32_t kDevicePixels = 9600, kDeviceMillimetres = 2540;
constexpr std::int32_t kPixelsPerInch = 96;

std::int32_t UnitsToPixels(std::int32_t hundredthsOfMm) {
    return std::int32_t(std::llround(double(hundredthsOfMm) * kPixelsPerInch / 2540.0));
}

}  // namespace

WmfConverter::WmfConverter(std::span<const std::uint8_t> wmf, const METAFILEPICT& picture)
    : wmf_(wmf), picture_(picture) {}

bool WmfConverter::HeaderSound() {
    if (wmf_.size() < kMetaHeaderBytes) return false;
    const RecordReader h(wmf_.first(kMetaHeaderBytes));
    const std::uint16_t type = h.U16(0), words = h.U16(2), version = h.U16(4);
    if ((type != 1 && type != 2) || words != kMetaHeaderWords || (version != 0x0100 && version != 0x0300)) return false;
    headerBytes_ = std::size_t(words) * 2;
    slots_.resize(std::min<std::size_t>(h.U16(10), kMaxObjects - 1));
    return true;
}

// Every record: at least 3 words, inside the data. A size below 3 would never move on. The
// records up to the end record are kept for the passes that follow.
bool WmfConverter::FramingSound() {
    std::size_t pos = headerBytes_;
    while (wmf_.size() - pos >= 6) {
        const RecordReader head(wmf_.subspan(pos, 6));
        const std::uint64_t bytes = std::uint64_t(head.U32(0)) * 2;
        if (bytes < 6 || bytes > wmf_.size() - pos) return false;
        if (head.U16(4) == META_EOF) return true;
        records_.push_back(wmf_.subspan(pos, std::size_t(bytes)));
        pos += std::size_t(bytes);
    }
    return true;
}

// The suggested size, or without one the metafile's own window at 96 pixels per inch.
RECT WmfConverter::FrameFor(const METAFILEPICT& picture) const {
    if (picture.xExt > 0 && picture.yExt > 0) return RECT{0, 0, picture.xExt, picture.yExt};
    for (const auto record : records_) {
        const RecordReader r(record);
        if (r.U16(4) != META_SETWINDOWEXT || r.Size() < 10) continue;
        const POINT ext = PointRecord::FromWmf(r).point;
        const auto units = [](std::int32_t px) { return std::int32_t(std::abs(px) * 2540 / kPixelsPerInch); };
        if (ext.x != 0 && ext.y != 0) return RECT{0, 0, units(ext.x), units(ext.y)};
    }
    return RECT{0, 0, 1000 * 2540 / kPixelsPerInch, 1000 * 2540 / kPixelsPerInch};
}

// The records start in MM_ANISOTROPIC with the viewport over the whole frame and the window as
// the metafile first sets it; its own mapping records follow and may change both.
void WmfConverter::Begin(const RECT& frame) {
    writer_.emplace(frame, kDevicePixels, kDevicePixels, kDeviceMillimetres, kDeviceMillimetres);
    writer_->Record(EMR_SETMAPMODE, {picture_.mm == 0 ? MM_ANISOTROPIC_MODE : picture_.mm});
    writer_->Record(EMR_SETVIEWPORTORGEX, {0, 0});
    writer_->Record(EMR_SETVIEWPORTEXTEX,
                    {UnitsToPixels(frame.right - frame.left), UnitsToPixels(frame.bottom - frame.top)});
    POINT org{0, 0}, ext{UnitsToPixels(frame.right), UnitsToPixels(frame.bottom)};
    bool orgSeen = false, extSeen = false;
    for (const auto record : records_) {
        const RecordReader r(record);
        if (r.Size() < 10) continue;
        if (r.U16(4) == META_SETWINDOWORG && !orgSeen) org = PointRecord::FromWmf(r).point, orgSeen = true;
        if (r.U16(4) == META_SETWINDOWEXT && !extSeen) ext = PointRecord::FromWmf(r).point, extSeen = true;
    }
    writer_->Record(EMR_SETWINDOWORGEX, {org.x, org.y});
    writer_->Record(EMR_SETWINDOWEXTEX, {ext.x, ext.y});
    windowOrg_ = org;
}

std::optional<std::vector<std::uint8_t>> WmfConverter::Convert() {
    if (!HeaderSound() || !FramingSound()) return std::nullopt;
    Begin(FrameFor(picture_));
    for (const auto bytes : records_) {
        const RecordReader record(bytes);
        try {
            ConvertRecord(record, record.U16(4));
        } catch (const BadRecord&) {
            // A damaged record is left out; the rest still converts.
        }
        if (writer_->Size() > kMaxMetafileBytes / 2) break;
    }
    return writer_->Finish();
}

void WmfConverter::ConvertRecord(const RecordReader& r, std::uint16_t function) {
    ConvertState(r, function) || ConvertObject(r, function) || ConvertDrawing(r, function) ||
        ConvertText(r, function) || ConvertRegion(r, function) || ConvertBitmap(r, function);
}

HENHMETAFILE SetWinMetaFileBits(std::size_t size, const std::uint8_t* data, const METAFILEPICT* picture) {
    if (!data || size > kMaxMetafileBytes) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const auto bytes =
        WmfConverter(std::span<const std::uint8_t>(data, size), picture ? *picture : METAFILEPICT{}).Convert();
    if (!bytes) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return SetEnhMetaFileBits(bytes->size(), bytes->data());
}

}  // namespace platform
