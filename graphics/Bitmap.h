#pragma once
// TBitmap: the pixel graphic, with its drawing surface, pixel depths, row access, stretch
// drawing and BMP files. Copies share one image until one of them changes.
//
// This header fixes the public operations other layers use; the members below the private
// line belong to the implementation.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "graphics/Canvas.h"
#include "graphics/Graphic.h"
#include "graphics/SharedImage.h"
#include "platform/Gdi.h"

using HBITMAP = platform::HBITMAP;

enum class TPixelDepth { Device, Bits1, Bits4, Bits8, Bits15, Bits16, Bits24, Bits32, Custom };
enum class THandleKind { DeviceDependent, DeviceIndependent };

class TBitmapImage;
class TBitmapCanvas;
class TMemoryStream;
struct TBmpContent;

class TBitmap : public TGraphic {
    OBRAZOR_CLASS_RECORD
public:
    TBitmap();
    ~TBitmap() override;

    // TGraphic
    void CopyFrom(TPersistent* source) override;  // a TBitmap or null; others ask the source
    void NotifyChanged(TObject* sender) override;
    void DrawInto(TCanvas& canvas, const TRect& rect) override;
    bool IsEmpty() override;
    std::int32_t ImageHeight() override;
    HPALETTE PaletteHandle() override;
    std::int32_t ImageWidth() override;
    void ReadPersisted(TStream& stream) override;
    void ResizeHeight(std::int32_t value) override;
    void AdoptPalette(HPALETTE palette) override;
    void ResizeWidth(std::int32_t value) override;
    void WritePersisted(TStream& stream) override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    void ReadFromClipboard(std::uint16_t format, const TClipboardData& data, HPALETTE palette) override;
    void WriteToClipboard(std::uint16_t& format, TClipboardData& data, HPALETTE& palette) override;

    // Slots of its own.
    virtual HBITMAP BitmapHandle();                   // 25
    virtual HBITMAP MaskSurface();                    // 26
    virtual void ChangeHandleKind(THandleKind kind);  // 27

    TCanvas& Canvas();
    bool HasCanvas() const;
    THandleKind HandleKind();
    TPixelDepth CurrentDepth();
    void ChangeDepth(TPixelDepth depth);
    // Address of the first byte of pixel row `row` (0 is the top row).
    std::uint8_t* ScanRow(std::int32_t row);
    // The same row for reading only: a shared image stays shared, so the caller must not write
    // through it nor keep it past the next change of any bitmap sharing the image.
    const std::uint8_t* ReadScanRow(std::int32_t row);
    // The rows of a device-dependent surface of 32 bits a pixel (blue, green, red, unused) where
    // they stand, without the read copy ReadScanRow builds beside such a surface: the top row's
    // address, with the distance to the next row in `stride`. Null for any other image. The
    // rules of ReadScanRow hold.
    const std::uint8_t* ReadDeviceRows32(std::ptrdiff_t& stride);
    // The same rows for writing: the bitmap first stops sharing its image, as before any change,
    // and drops a read copy beside the surface. NotifyChanged tells the change once written.
    std::uint8_t* DeviceRows32(std::ptrdiff_t& stride);
    void AdoptHandle(HBITMAP handle);
    HBITMAP DetachHandle();
    bool IsMonochrome();
    void ChangeMonochrome(bool value);
    void MakeDormant();
    TColor TransparentColor();

    // Reads a BMP body (information header onwards) of `count` bytes; used for bitmaps stored
    // without a file header.
    void ReadBmpBody(TStream& stream, std::int64_t count);

    // Drawing contexts of bitmap canvases: released after each dispatched event unless locked.
    static void ReleaseIdleCanvasContexts();

private:
    friend class TBitmapCanvas;

    void EnsureHandle();
    void EnsureDib();
    void EnsurePalette();
    void PrepareToChange();
    void Unshare();
    void InstallImage(const platform::HBITMAP& handle, const HPALETTE& palette, const platform::DIBSECTION& description,
                      bool os2, std::unique_ptr<TMemoryStream> keptFileData);
    void InstallEmptyImage();
    void RebuildImage(const platform::HBITMAP& source, const HPALETTE& palette, platform::DIBSECTION description);
    void FreeCanvasContext();
    void ReadBmp(TStream& stream, std::int64_t count);
    void InstallRead(TBmpContent&& content);
    void WriteBmp(TStream& stream, bool sizePrefix);
    void ToDeviceDependent();
    void ToDeviceIndependent();
    void DrawStretched(TCanvas& target, const TRect& rect);
    void DrawTransparent(TCanvas& target, const TRect& rect);
    int BitsPerPixel() const;

    TBitmapImage* image_ = nullptr;
    std::unique_ptr<TBitmapCanvas> canvas_;
    bool ignorePalette_ = false;
    bool maskBitsValid_ = false;
    bool maskValid_ = false;
};

std::int32_t RowStride(std::int32_t width, std::int32_t bitsPerPixel);
int ColorTableEntries(int bitCount);
