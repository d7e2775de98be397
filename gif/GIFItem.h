#pragma once
// The base of every part of a GIF file in memory (header, frames, extensions, trailer), the
// owned item lists, and the library's exception.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Exceptions.h"
#include "graphics/Persistent.h"

class TGIFImage;

// The GIF library's failures; callers that handle an invalid graphic handle these too.
OBRAZOR_EXCEPTION(GIFException, EInvalidGraphic);
[[noreturn]] void RaiseGIFError(const std::string& message);

// Every report the library makes has this severity.
inline constexpr std::int32_t GIFWarningSeverity = 1;

// Versions an item needs when written: none, "87a", "89a".
inline constexpr std::uint8_t GIFVersionNone = 0;
inline constexpr std::uint8_t GIFVersion87a = 1;
inline constexpr std::uint8_t GIFVersion89a = 2;

class TGIFItem : public TPersistent {
    OBRAZOR_CLASS_RECORD
public:
    explicit TGIFItem(TGIFImage* image) : image_(image) {}
    TGIFItem(const TGIFItem&) = delete;
    TGIFItem& operator=(const TGIFItem&) = delete;

    virtual std::uint8_t RequiredVersion() { return GIFVersion87a; }                // 3
    virtual void ReportWarning(std::int32_t severity, const std::string& message);  // 4
    virtual void SaveToStream(TStream& stream) = 0;                                 // 6
    virtual void LoadFromStream(TStream& stream) = 0;                               // 7
    virtual void WriteToFile(const std::string& path);                              // 8
    virtual void ReadFromFile(const std::string& path);                             // 9

    TGIFImage* Image() const { return image_; }

protected:
    TGIFImage* image_;
};

// An ordered list that owns its items; clearing frees them from the front.
class TGIFList : public TPersistent {
    OBRAZOR_CLASS_RECORD
public:
    explicit TGIFList(TGIFImage* image) : image_(image) {}
    ~TGIFList() override { Clear(); }
    TGIFList(const TGIFList&) = delete;
    TGIFList& operator=(const TGIFList&) = delete;

    virtual void ReportWarning(std::int32_t severity, const std::string& message);  // 3
    virtual void SaveToStream(TStream& stream);                                     // 4
    virtual void LoadFromStream(TStream& stream, TObject* parent) = 0;              // 5

    int Count() const { return int(items_.size()); }
    TGIFItem* Item(int index) const { return items_.at(std::size_t(index)).get(); }
    int IndexOf(const TGIFItem* item) const;
    int Add(std::unique_ptr<TGIFItem> item);
    // Removes the item and hands it back; null when the item is not in the list.
    std::unique_ptr<TGIFItem> Extract(const TGIFItem* item);
    void Delete(int index);
    void Clear();
    TGIFImage* Image() const { return image_; }

protected:
    TGIFImage* image_;
    std::vector<std::unique_ptr<TGIFItem>> items_;
};
