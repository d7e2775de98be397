#pragma once
// TGIFImage: the graphic class for GIF files. It holds the header (Logical Screen Descriptor and
// global colour map) and the frames in file order, reads and writes GIF files, and draws them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "gif/GIFColorMap.h"
#include "gif/GIFExtension.h"
#include "gif/GIFItem.h"
#include "gif/GIFSettings.h"
#include "gif/GIFSubImage.h"
#include "graphics/Graphic.h"

class TBitmap;
class TGIFPainter;
class TMemoryStream;
struct TGIFRenderState;  // what drawing keeps per image (composite bitmap, palette, painters)
namespace gif {
class TReadAhead;
}

class TGIFHeader : public TGIFItem {
    OBRAZOR_CLASS_RECORD
public:
    explicit TGIFHeader(TGIFImage* image);

    void CopyFrom(TPersistent* source) override;
    std::uint8_t RequiredVersion() override;
    void SaveToStream(TStream& stream) override;
    void LoadFromStream(TStream& stream) override;

    // The Logical Screen Descriptor as read.
    struct TScreenDescriptor {
        std::uint16_t Width = 0, Height = 0;
        std::uint8_t PackedFields = 0;
        std::uint8_t BackgroundColorIndex = 0;
        std::uint8_t AspectRatio = 0;
    };
    TScreenDescriptor Screen;
    TGIFGlobalColorMap& ColorMap() { return colorMap_; }
    TColor BackgroundColor() { return colorMap_.ColorAt(Screen.BackgroundColorIndex); }
    // Sets the packed fields from the colour maps the image holds now.
    void RecomputePackedFields();
    void Reset();

private:
    TGIFGlobalColorMap colorMap_;
};

class TGIFTrailer : public TGIFItem {
    OBRAZOR_CLASS_RECORD
public:
    explicit TGIFTrailer(TGIFImage* image) : TGIFItem(image) {}
    void SaveToStream(TStream& stream) override;
    void LoadFromStream(TStream& stream) override;
};

class TGIFImageList : public TGIFList {
    OBRAZOR_CLASS_RECORD
public:
    explicit TGIFImageList(TGIFImage* image) : TGIFList(image) {}
    void SaveToStream(TStream& stream) override;
    void LoadFromStream(TStream& stream, TObject* parent) override;
    TGIFSubImage* Frame(int index) const { return static_cast<TGIFSubImage*>(Item(index)); }
};

using TGIFWarningEvent = std::function<void(TObject* Sender, std::int32_t Severity, const std::string& Message)>;

class TGIFImage : public TGraphic {
    OBRAZOR_CLASS_RECORD
public:
    TGIFImage();
    ~TGIFImage() override;
    TGIFImage(const TGIFImage&) = delete;
    TGIFImage& operator=(const TGIFImage&) = delete;

    // TGraphic
    void CopyTo(TPersistent* destination) override;
    void CopyFrom(TPersistent* source) override;
    void DrawInto(TCanvas& canvas, const TRect& rect) override;
    bool SameContent(TGraphic& other) override;
    bool IsEmpty() override;
    std::int32_t ImageHeight() override;
    HPALETTE PaletteHandle() override;
    std::int32_t ImageWidth() override;
    void ResizeHeight(std::int32_t value) override;
    void AdoptPalette(HPALETTE palette) override;
    void ResizeWidth(std::int32_t value) override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void ReadFromClipboard(std::uint16_t format, const TClipboardData& data, HPALETTE palette) override;
    void WriteToClipboard(std::uint16_t& format, TClipboardData& data, HPALETTE& palette) override;

    virtual void ReportWarning(TObject* sender, std::int32_t severity, const std::string& message);  // 25

    TGIFHeader& Header() { return header_; }
    TGIFImageList& Images() { return images_; }
    TGIFGlobalColorMap& GlobalColorMap() { return header_.ColorMap(); }
    // The highest version any frame needs (stopping at the first "89a"); none without frames.
    std::uint8_t RequiredVersion();
    // Empties the image: no frames, an all-zero screen, an empty global map.
    void Clear();
    // Appends a frame made from a graphic, or the frame itself; returns its index.
    int AddFrame(TPersistent* item);
    // The image's settings made into a frame's picture through colour reduction.
    int BitsPerPixel();  // the largest BitsForColorCount over all colour maps

    TGIFWarningEvent WarningHandler;

    // Drawing, reduction and encoding settings.
    std::uint16_t PaintOptions = DefaultPaintOptions;
    std::int32_t SpeedPercent = 100;
    TPainterPriority PainterPriority = TPainterPriority::Normal;
    TColor BackgroundColorOverride = clNone;
    TGIFWaitLimits WaitLimits;
    TColorReduction ColorReduction = TColorReduction::WebColors;
    int ReductionBits = 8;
    TDitherMode DitherMode = TDitherMode::Nearest;
    TGIFCompression Compression = TGIFCompression::LZW;
    HPALETTE ReductionPalette;  // the palette of TColorReduction::GivenPalette
    // Painter callbacks (sender: the painter), copied into every new painter.
    TNotifyEvent OnPaintStarting, OnFramePainting, OnFramePainted, OnLoopRestarting, OnPaintFinished;

    // Drawing's state of this image; made on first use, dropped when the image is reset.
    TGIFRenderState& RenderState();
    void DropRenderState();
    // A bitmap of the logical screen showing the first frame; null for an empty image.
    TBitmap* ScreenBitmap();

    // Animation: painters play the frames onto a canvas, normally each on a thread of its own.
    // `reference` is set to the new painter and cleared when it ends; without ThreadedPaint the
    // painter runs to its end here and null is returned.
    TGIFPainter* StartPainter(TGIFPainter** reference, TCanvas& canvas, std::uint16_t options, const TRect& rect);
    void StopShowingPainter();
    // Stops every painter and waits, carrying out their owner-thread steps, until all have ended.
    void StopAllPainters();
    TGIFPainter* ShowingPainter();
    TBitmap* CompositeBitmap();
    void PrepareCompositeBitmap();
    void DropCompositeBitmap();

    // Where frames may keep their data to be read again when `stream` is the file this image is
    // reading; null otherwise.
    std::shared_ptr<const gif::TEncodedSource> KeptSource(TStream& stream) const;

    // Pixels the frames read so far hold; reading refuses frames beyond the limit.
    void ChargePixels(std::int64_t pixels);

private:
    void CopyImage(TGIFImage& source);
    void DrawComposite(TCanvas& canvas, const TRect& rect);
    void StartShowingPainter(TCanvas& canvas, const TRect& rect);
    bool WaitForFirstFrame();
    bool AnimationFits(const TRect& rect);

    TGIFHeader header_;
    TGIFImageList images_;
    std::unique_ptr<TGIFRenderState> render_;
    std::int64_t chargedPixels_ = 0;
    gif::TReadAhead* reading_ = nullptr;  // while reading a stream not in memory
};
