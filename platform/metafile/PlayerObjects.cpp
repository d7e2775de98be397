// The object table: objects created into it, selected from it (or from the stock objects) and
// deleted; palettes. Pens and brushes are made in PlayerPensAndBrushes.cpp, fonts in
// PlayerText.cpp, each family playing its own create records.
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

constexpr std::uint32_t kStockFlag = 0x80000000u;

template <class T>
void SelectInto(const MetaObject& object, std::shared_ptr<const T>& slot) {
    if (const auto* held = std::get_if<std::shared_ptr<const T>>(&object)) slot = *held;
}

// The palette's colours; their flags play no part.
std::shared_ptr<const MetaPalette> PaletteOf(const EmrCreatePalette& record) {
    auto palette = std::make_shared<MetaPalette>();
    for (const PALETTEENTRY& e : record.entries)
        palette->entries.push_back(PALETTEENTRY{e.peRed, e.peGreen, e.peBlue, 0});
    return palette;
}

}  // namespace

void MetafilePlayer::CreateObject(std::uint32_t index, MetaObject object) {
    if (index == 0 || index >= kMaxObjects) return;
    if (index >= objects_.size()) objects_.resize(index + 1);
    objects_[index] = std::move(object);
}

void MetafilePlayer::SelectObject(std::uint32_t index) {
    const MetaObject object = (index & kStockFlag)      ? StockObject(index)
                              : index < objects_.size() ? objects_[index]
                                                        : MetaObject{};
    SelectInto(object, state_.pen);
    SelectInto(object, state_.brush);
    SelectInto(object, state_.font);
}

// A selected object stays in use after its deletion, as the drawing context keeps it.
void MetafilePlayer::DeleteObject(std::uint32_t index) {
    if (index < objects_.size()) objects_[index] = std::monostate{};
}

bool MetafilePlayer::PlayObjectRecord(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_SELECTOBJECT: SelectObject(EmrObjectIndex::Read(r).value); return true;
    case EMR_DELETEOBJECT: DeleteObject(EmrObjectIndex::Read(r).value); return true;
    case EMR_CREATEPALETTE: {
        const EmrCreatePalette record = EmrCreatePalette::Read(r);
        CreateObject(record.ihPal, PaletteOf(record));
        return true;
    }
    case EMR_SELECTPALETTE: {
        const std::uint32_t index = EmrObjectIndex::Read(r).value;
        if (index < objects_.size()) SelectInto(objects_[index], state_.palette);
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
