#pragma once
// One frame of a GIF: its extensions, Image Descriptor, local colour map and colour indices.

#include <atomic>
#include <cstdint>
#include <memory>

#include "gif/GIFColorMap.h"
#include "gif/GIFExtension.h"
#include "gif/GIFItem.h"

class TBitmap;
class TMemoryStream;
struct TGIFFrameCache;  // what drawing keeps per frame (bitmap, mask, palette)
namespace gif {
class TEncodedSource;
}

class TGIFSubImage : public TGIFItem {
    OBRAZOR_CLASS_RECORD
public:
    explicit TGIFSubImage(TGIFImage* image);
    ~TGIFSubImage() override;

    void CopyTo(TPersistent* destination) override;  // 0
    void CopyFrom(TPersistent* source) override;     // 2
    std::uint8_t RequiredVersion() override;         // 3
    void SaveToStream(TStream& stream) override;     // 6
    void LoadFromStream(TStream& stream) override;   // 7

    // The Image Descriptor as read.
    struct TImageDescriptor {
        std::uint8_t Separator = 0x2C;
        std::uint16_t Left = 0, Top = 0, Width = 0, Height = 0;
        std::uint8_t PackedFields = 0;
    };
    static constexpr std::uint8_t LocalMapFlag = 0x80;
    static constexpr std::uint8_t InterlaceFlag = 0x40;
    static constexpr std::uint8_t SortFlag = 0x20;

    const TImageDescriptor& Descriptor() const { return descriptor_; }
    int Left() const { return descriptor_.Left; }
    int Top() const { return descriptor_.Top; }
    int Width() const { return descriptor_.Width; }
    int Height() const { return descriptor_.Height; }
    bool Interlaced() const { return descriptor_.PackedFields & InterlaceFlag; }
    void SetInterlaced(bool value);
    // Moves or resizes the frame; a new size gives a fresh zero-filled pixel buffer, and the
    // logical screen grows to cover the frame.
    void SetBounds(int left, int top, int width, int height);
    // No pixel buffer, or a side of 0.
    bool IsEmpty() const;

    TGIFExtensionList& Extensions() { return extensions_; }
    TGIFLocalColorMap& ColorMap() { return colorMap_; }
    // The local map when it has entries, else the global map when it has, else the local map.
    TGIFColorMap& ActiveColorMap();

    // Width x height colour indices, row-major, top row first; null when there is none. A frame
    // read after the first keeps its data encoded until its pixels are first asked for here.
    std::uint8_t* PixelBuffer();
    // The data is still encoded: drawing decodes it for each build of the frame's bitmap
    // instead of keeping the pixels.
    bool PixelsPending() const { return pending_.load(std::memory_order_acquire); }
    // The pixels decoded into a new buffer without keeping them in the frame; null when the
    // frame has none.
    std::unique_ptr<std::uint8_t[]> DecodeCopy();
    std::int64_t PixelCount() const { return std::int64_t(descriptor_.Width) * descriptor_.Height; }
    // A buffer of width x height bytes, every byte `fill`; replaces the present one.
    std::uint8_t* MakePixelBuffer(std::uint8_t fill);
    std::uint8_t* PixelRow(int y);
    std::uint8_t IndexAt(int x, int y);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    // The first Graphic Control Extension made for this frame, or null.
    TGIFGraphicControlExtension* GraphicControlExtension() const { return graphicControl_; }
    void SetGraphicControlExtension(TGIFGraphicControlExtension* extension) { graphicControl_ = extension; }
    // What undecoded pixels hold: the transparent index of a transparent frame, else 0.
    std::uint8_t FillIndex() const;

    // Drawing's caches of this frame; made on first use, dropped when the frame changes.
    TGIFFrameCache& Cache();
    void DropCache();

private:
    void Reset();
    std::unique_ptr<std::uint8_t[]> DecodeEncoded(bool report);
    void ReadDescriptor(TStream& stream);
    void CopyFrame(TGIFSubImage& source);
    // Making the frame from a picture: a bitmap keeps or reduces its colours; other graphics
    // are drawn onto a bitmap first.
    void CopyGraphic(TPersistent* source);
    void CopyBitmap(TBitmap& source);
    void FillFromPaletteBitmap(TBitmap& bitmap, int bits);
    void FillFromTrueColorBitmap(TBitmap& bitmap);
    void AddTransparency(TBitmap& source, TColor transparent);
    void ReportRow(int y);

    TGIFExtensionList extensions_;
    TGIFLocalColorMap colorMap_;
    TImageDescriptor descriptor_;
    std::unique_ptr<std::uint8_t[]> pixels_;
    // Where the image data stays while the pixels are pending: the file the image was read from
    // (shared by its frames), or a copy of the data.
    std::shared_ptr<const gif::TEncodedSource> encodedSource_;
    std::int64_t encodedAt_ = 0, encodedSize_ = 0;
    std::atomic<bool> pending_{false};
    bool transparent_ = false;
    TGIFGraphicControlExtension* graphicControl_ = nullptr;
    std::unique_ptr<TGIFFrameCache> cache_;
};
