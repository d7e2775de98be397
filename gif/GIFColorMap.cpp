#include "gif/GIFColorMap.h"

#include <algorithm>
#include <numeric>

#include "gif/GIFImage.h"
#include "gif/GIFMessages.h"
#include "gif/GIFStreamIO.h"
#include "graphics/Streams.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFColorMap, TPersistent);
OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFGlobalColorMap, TGIFColorMap);
OBRAZOR_DEFINE_ABSTRACT_CLASS(TGIFLocalColorMap, TGIFColorMap);

namespace {
constexpr std::uint8_t kNoCollapse = 4;

TColor ColorOf(const std::uint8_t* rgb) { return TColor(rgb[0] | rgb[1] << 8 | rgb[2] << 16); }
}  // namespace

void TGIFColorMap::CopyFrom(TPersistent* source) {
    auto* map = dynamic_cast<TGIFColorMap*>(source);
    if (!map) return TPersistent::CopyFrom(source);
    if (map == this) return;
    data_ = map->data_;
    count_ = map->count_;
    sorted_ = map->sorted_;
    MapChanged();
}

void TGIFColorMap::EnsureCapacity(int n) {
    if (n < Capacity()) return;
    const int capacity = n <= 16 ? 16 : std::min((n + 31) / 32 * 32, GIFMaxColors);
    data_.resize(std::size_t(capacity) * 3);
}

int TGIFColorMap::AddColor(TColor color) {
    if (count_ >= GIFMaxColors) RaiseGIFError(gifmsg::SColorMapOverflow);
    EnsureCapacity(count_ + 1);
    std::uint8_t* entry = &data_[std::size_t(count_) * 3];
    entry[0] = std::uint8_t(color);
    entry[1] = std::uint8_t(color >> 8);
    entry[2] = std::uint8_t(color >> 16);
    ++count_;
    sorted_ = false;
    MapChanged();
    return count_ - 1;
}

// A sorted map is searched from the front, an unsorted one from the back, so that among
// duplicates an unsorted map yields the last one.
int TGIFColorMap::FindColor(TColor color) const {
    const TColor rgb = color & 0xFFFFFF;
    if (sorted_) {
        for (int i = 0; i < count_; ++i)
            if (ColorOf(&data_[std::size_t(i) * 3]) == rgb) return i;
    } else {
        for (int i = count_ - 1; i >= 0; --i)
            if (ColorOf(&data_[std::size_t(i) * 3]) == rgb) return i;
    }
    return -1;
}

TColor TGIFColorMap::ColorAt(int index) {
    if (index < 0 || index >= count_) {
        ReportWarning(GIFWarningSeverity, gifmsg::SBadColorIndex);
        if (count_ == 0) RaiseGIFError(gifmsg::SEmptyColorMap);
        index = 0;
    }
    return ColorOf(&data_[std::size_t(index) * 3]);
}

void TGIFColorMap::RemoveColor(int index) {
    if (index < 0 || index >= count_) RaiseGIFError(gifmsg::SBadColorIndex);
    data_.erase(data_.begin() + index * 3, data_.begin() + index * 3 + 3);
    data_.insert(data_.end(), 3, 0);
    --count_;
    sorted_ = false;
    MapChanged();
}

void TGIFColorMap::ResetMap() {
    data_.clear();
    data_.shrink_to_fit();
    count_ = 0;
    sorted_ = false;
}

platform::HPALETTE TGIFColorMap::ToPalette() const {
    if (count_ == 0) return nullptr;
    std::vector<platform::PALETTEENTRY> entries(static_cast<std::size_t>(count_));
    for (int i = 0; i < count_; ++i)
        entries[std::size_t(i)] = {data_[std::size_t(i) * 3], data_[std::size_t(i) * 3 + 1],
                                   data_[std::size_t(i) * 3 + 2], kNoCollapse};
    return platform::CreatePalette(entries.data(), unsigned(count_));
}

int TGIFColorMap::BitsForColorCount(int count) {
    if (count <= 0) return 0;
    int bits = 1;
    while ((1 << bits) < count) ++bits;
    return bits;
}

void TGIFColorMap::ReadEntries(TStream& stream, int count) {
    ResetMap();
    EnsureCapacity(count);
    gif::ReadExact(stream, data_.data(), std::int64_t(count) * 3);
    count_ = count;
}

void TGIFColorMap::SaveToStream(TStream& stream) const {
    if (count_ == 0) return;
    stream.WriteBuffer(data_.data(), std::int64_t(count_) * 3);
    const int padded = 1 << BitsForColorCount(count_);
    const std::vector<std::uint8_t> black(std::size_t(padded - count_) * 3, 0);
    if (!black.empty()) stream.WriteBuffer(black.data(), std::int64_t(black.size()));
}

void TGIFColorMap::OptimizeMap() {
    if (count_ < 2) return;
    sorted_ = true;
    const std::vector<std::uint32_t> use = CountColorUse();
    std::vector<int> order(static_cast<std::size_t>(count_));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return use[std::size_t(a)] > use[std::size_t(b)]; });
    if (std::is_sorted(order.begin(), order.end())) return;
    std::vector<int> oldToNew(static_cast<std::size_t>(count_));
    std::vector<std::uint8_t> reordered(data_.size(), 0);
    int used = 0;
    for (int position = 0; position < count_; ++position) {
        const int old = order[std::size_t(position)];
        oldToNew[std::size_t(old)] = position;
        std::copy_n(&data_[std::size_t(old) * 3], 3, &reordered[std::size_t(position) * 3]);
        if (use[std::size_t(old)] > 0) used = position + 1;
    }
    RemapFrames(oldToNew);
    data_ = std::move(reordered);
    count_ = used;
    MapChanged();
}

void TGIFGlobalColorMap::ReportWarning(std::int32_t severity, const std::string& message) {
    if (header_->Image()) header_->Image()->ReportWarning(this, severity, message);
}

void TGIFLocalColorMap::ReportWarning(std::int32_t severity, const std::string& message) {
    if (frame_->Image()) frame_->Image()->ReportWarning(this, severity, message);
}

namespace {
void CountFrame(TGIFSubImage& frame, std::vector<std::uint32_t>& counts) {
    const std::uint8_t* pixels = frame.PixelBuffer();
    if (!pixels) return;
    for (std::int64_t i = 0, n = frame.PixelCount(); i < n; ++i)
        if (pixels[i] < counts.size()) ++counts[pixels[i]];
}

void RemapFrame(TGIFSubImage& frame, const std::vector<int>& oldToNew) {
    auto map = [&](std::uint8_t index) { return index < oldToNew.size() ? std::uint8_t(oldToNew[index]) : index; };
    if (std::uint8_t* pixels = frame.PixelBuffer())
        for (std::int64_t i = 0, n = frame.PixelCount(); i < n; ++i) pixels[i] = map(pixels[i]);
    if (auto* control = frame.GraphicControlExtension())
        control->Record.TransparentColorIndex = map(control->Record.TransparentColorIndex);
    frame.DropCache();
}
}  // namespace

std::vector<std::uint32_t> TGIFGlobalColorMap::CountColorUse() {
    std::vector<std::uint32_t> counts(std::size_t(Count()), 0);
    TGIFImageList& frames = header_->Image()->Images();
    for (int i = 0; i < frames.Count(); ++i)
        if (&frames.Frame(i)->ActiveColorMap() == this) CountFrame(*frames.Frame(i), counts);
    return counts;
}

void TGIFGlobalColorMap::RemapFrames(const std::vector<int>& oldToNew) {
    TGIFImageList& frames = header_->Image()->Images();
    for (int i = 0; i < frames.Count(); ++i)
        if (&frames.Frame(i)->ActiveColorMap() == this) RemapFrame(*frames.Frame(i), oldToNew);
}

void TGIFGlobalColorMap::MapChanged() {
    if (header_->Image()) header_->Image()->AdoptPalette(nullptr);
}

std::vector<std::uint32_t> TGIFLocalColorMap::CountColorUse() {
    std::vector<std::uint32_t> counts(std::size_t(Count()), 0);
    CountFrame(*frame_, counts);
    return counts;
}

void TGIFLocalColorMap::RemapFrames(const std::vector<int>& oldToNew) { RemapFrame(*frame_, oldToNew); }

void TGIFLocalColorMap::MapChanged() { frame_->DropCache(); }
