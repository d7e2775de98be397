#pragma once
// TCanvas: a drawing context with its pen, brush and font, the blits the picture model uses,
// and the lock that drawing threads hold.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "graphics/Graphic.h"
#include "graphics/Persistent.h"
#include "platform/Gdi.h"

// Colours: 0x00BBGGRR; a top byte of 0xFF marks a system colour (low byte = its index).
using TColor = std::int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clSystemColor = TColor(0xFF000000u);
constexpr TColor clWindow = TColor(0xFF000005u);
constexpr TColor clWindowText = TColor(0xFF000008u);
constexpr TColor clHighlight = TColor(0xFF00000Du);
constexpr TColor clHighlightText = TColor(0xFF00000Eu);
constexpr TColor clBtnFace = TColor(0xFF00000Fu);

platform::COLORREF ColorToRGB(TColor color);

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Pen, brush and font: settings that make a platform object on demand; a change tells the
// canvas (which then selects the new object before its next drawing).
class TGraphicsObject : public TPersistent {
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    platform::HPEN Handle();

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    platform::HPEN handle_;
};

class TBrush : public TGraphicsObject {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor value);  // a bsClear brush becomes bsSolid
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);  // bsClear also sets the colour to white
    platform::HBRUSH Handle();

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    platform::HBRUSH handle_;
};

class TFont : public TGraphicsObject {
public:
    TFont();
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    int Height() const { return height_; }  // negative: character height in pixels
    void SetHeight(int value);
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value);
    unsigned Style() const { return style_; }
    void SetStyle(unsigned value);
    platform::HFONT Handle();

private:
    TColor color_ = clWindowText;
    int height_;
    std::string name_ = "MS Sans Serif";
    unsigned style_ = 0;
    platform::HFONT handle_;
};

class TCanvas : public TPersistent {
public:
    enum StateBit : unsigned { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };
    static constexpr unsigned csAllValid = csHandleValid | csFontValid | csPenValid | csBrushValid;

    TCanvas();
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // The drawing context, made on demand; raises EInvalidOperation "Canvas does not allow
    // drawing" when none can be had.
    platform::HDC Handle();
    void SetHandle(const platform::HDC& dc);
    bool HandleAllocated() const { return bool(handle_); }
    // Expires when the canvas is destroyed: a holder of a pointer to it can tell whether it lives.
    std::weak_ptr<const void> LifeToken() const { return life_; }

    TFont& Font() { return font_; }
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    std::uint32_t CopyMode = platform::SRCCOPY;
    TPoint PenPos;
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    void StretchDrawGraphic(const TRect& rect, TGraphic* graphic);
    void DrawGraphicAt(int x, int y, TGraphic* graphic);
    void FillArea(const TRect& rect);
    void CopyArea(const TRect& destination, TCanvas& source, const TRect& sourceRect);
    TColor PixelAt(int x, int y);
    void SetPixelAt(int x, int y, TColor color);
    TRect ClipArea();

    void LockCanvas();
    void UnlockCanvas();
    bool TryLockCanvas();  // takes the canvas only when no thread holds it; never waits
    int LockCount() const { return lockCount_; }

    void EnsureState(unsigned bits);
    unsigned State() const { return state_; }
    virtual void Changing();
    virtual void Changed();

protected:
    virtual void CreateHandle() {}  // a canvas class that can make a context does it here
    void DeselectHandles();

private:
    void SelectFont();
    void SelectPen();
    void SelectBrush();

    platform::HDC handle_;
    unsigned state_ = 0;
    TFont font_;
    TPen pen_;
    TBrush brush_;
    std::recursive_mutex lock_;
    std::atomic<int> lockCount_{0};  // read without the counter lock by LockCount()
    std::shared_ptr<const int> life_ = std::make_shared<const int>(0);
};

// Holds a canvas's lock for one scope.
class TCanvasLock {
public:
    explicit TCanvasLock(TCanvas& canvas) : canvas_(canvas) { canvas_.LockCanvas(); }
    ~TCanvasLock() { canvas_.UnlockCanvas(); }
    TCanvasLock(const TCanvasLock&) = delete;
    TCanvasLock& operator=(const TCanvasLock&) = delete;

private:
    TCanvas& canvas_;
};
