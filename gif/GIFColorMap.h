#pragma once
// Colour tables of a GIF: the header's global one and each frame's local one. Entries are kept
// as in the file (red, green, blue); colours handed in and out are 0x00BBGGRR.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Canvas.h"
#include "graphics/Persistent.h"
#include "platform/Gdi.h"

class TGIFImage;
class TGIFHeader;
class TGIFSubImage;

inline constexpr int GIFMaxColors = 256;

class TGIFColorMap : public TPersistent {
    OBRAZOR_CLASS_RECORD
public:
    TGIFColorMap() = default;
    TGIFColorMap(const TGIFColorMap&) = delete;
    TGIFColorMap& operator=(const TGIFColorMap&) = delete;

    void CopyFrom(TPersistent* source) override;                                        // 2
    virtual void ReportWarning(std::int32_t severity, const std::string& message) = 0;  // 3
    // Pixels that use each entry, over the frames this map colours.
    virtual std::vector<std::uint32_t> CountColorUse() = 0;  // 4
    // Rewrites those frames' indices (and transparent index) through old -> new.
    virtual void RemapFrames(const std::vector<int>& oldToNew) = 0;  // 5
    // Sorts the entries by use, most used first, and drops the unused ones at the end.
    virtual void OptimizeMap();     // 6
    virtual void MapChanged() = 0;  // 7

    int Count() const { return count_; }
    int Capacity() const { return int(data_.size() / 3); }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value) { sorted_ = value; }
    // Three bytes per entry: red, green, blue.
    const std::uint8_t* Entries() const { return data_.data(); }

    void EnsureCapacity(int n);
    int AddColor(TColor color);
    int FindColor(TColor color) const;
    TColor ColorAt(int index);
    void RemoveColor(int index);
    void ResetMap();
    // A logical palette with one no-collapse entry per colour; none for an empty map.
    platform::HPALETTE ToPalette() const;
    static int BitsForColorCount(int count);

    // Reads `count` entries (2..256) as a file holds them, replacing the map.
    void ReadEntries(TStream& stream, int count);
    // The entries, padded with black to a power of two; nothing for an empty map.
    void SaveToStream(TStream& stream) const;

private:
    std::vector<std::uint8_t> data_;
    int count_ = 0;
    bool sorted_ = false;
};

class TGIFGlobalColorMap : public TGIFColorMap {
    OBRAZOR_CLASS_RECORD
public:
    explicit TGIFGlobalColorMap(TGIFHeader* header) : header_(header) {}
    void ReportWarning(std::int32_t severity, const std::string& message) override;
    std::vector<std::uint32_t> CountColorUse() override;
    void RemapFrames(const std::vector<int>& oldToNew) override;
    void MapChanged() override;

private:
    TGIFHeader* header_;
};

class TGIFLocalColorMap : public TGIFColorMap {
    OBRAZOR_CLASS_RECORD
public:
    explicit TGIFLocalColorMap(TGIFSubImage* frame) : frame_(frame) {}
    void ReportWarning(std::int32_t severity, const std::string& message) override;
    std::vector<std::uint32_t> CountColorUse() override;
    void RemapFrames(const std::vector<int>& oldToNew) override;
    void MapChanged() override;

private:
    TGIFSubImage* frame_;
};
