#pragma once
// TGraphic: the abstract picture every format implements, with its change and progress
// callbacks. The virtual operations keep the order of the graphic's slots.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "graphics/Persistent.h"
#include "platform/Gdi.h"

class TCanvas;
class TStream;
class TGraphic;

using TRect = platform::RECT;
using TPoint = platform::POINT;
using HPALETTE = platform::HPALETTE;

enum class TProgressStage { psStarting, psRunning, psEnding };

using TProgressEvent = std::function<void(TObject* Sender, TProgressStage Stage, std::uint8_t PercentDone,
                                          bool RedrawNow, const TRect& R, const std::string& Msg)>;

// A graphic class is its class record; CreateEmpty is the record's virtual constructor.
using TGraphicClass = const TClass*;

// The data a graphic hands to or takes from the clipboard (format 2: a platform bitmap).
using TClipboardData = std::shared_ptr<platform::GdiObject>;

class TGraphic : public TInterfacedPersistent {
public:
    static const TClass Class;
    const TClass& ClassType() const override { return Class; }

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

    bool Modified() const { return modified_; }
    bool PaletteModified() const { return paletteModified_; }
    void SetPaletteModified(bool value) { paletteModified_ = value; }

    // Whether the pixels are brought to sRGB by the colour profile the file embeds (the default);
    // off, they keep the stored numbers. Set it before the picture is read or first decoded; each
    // graphic has its own, so reads with different settings can run at the same time.
    bool ColorManagement() const { return colorManagement_; }
    void SetColorManagement(bool on) { colorManagement_ = on; }

    // Slots 0-3 come from TPersistent (CopyTo, DeclarePersisted, CopyFrom).
    void DeclarePersisted(TFiler& filer) override;
    virtual void NotifyChanged(TObject* sender);                                                             // 4
    virtual void DrawInto(TCanvas& canvas, const TRect& rect) = 0;                                           // 5
    virtual bool SameContent(TGraphic& other);                                                               // 6
    virtual bool IsEmpty() = 0;                                                                              // 7
    virtual std::int32_t ImageHeight() = 0;                                                                  // 8
    virtual HPALETTE PaletteHandle();                                                                        // 9
    virtual bool IsTransparent();                                                                            // 10
    virtual std::int32_t ImageWidth() = 0;                                                                   // 11
    virtual void ReadPersisted(TStream& stream);                                                             // 12
    virtual void ResizeHeight(std::int32_t value) = 0;                                                       // 13
    virtual void AdoptPalette(HPALETTE palette);                                                             // 14
    virtual void ChangeTransparent(bool value);                                                              // 15
    virtual void ResizeWidth(std::int32_t value) = 0;                                                        // 16
    virtual void WritePersisted(TStream& stream);                                                            // 17
    static std::unique_ptr<TGraphic> CreateEmpty(TGraphicClass graphicClass);                                // 18
    virtual void ReadFromFile(const std::string& path);                                                      // 19
    virtual void WriteToFile(const std::string& path);                                                       // 20
    virtual void LoadFromStream(TStream& stream) = 0;                                                        // 21
    virtual void SaveToStream(TStream& stream) = 0;                                                          // 22
    virtual void ReadFromClipboard(std::uint16_t format, const TClipboardData& data, HPALETTE palette) = 0;  // 23
    virtual void WriteToClipboard(std::uint16_t& format, TClipboardData& data, HPALETTE& palette) = 0;       // 24

    virtual void ReportProgress(TObject* sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                                const TRect& r, const std::string& message);

protected:
    bool transparent_ = false;

private:
    bool modified_ = false;
    bool paletteModified_ = false;
    bool colorManagement_ = true;
};
