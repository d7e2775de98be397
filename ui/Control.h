#pragma once
// TControl: a component with a place on a window. Each control hosts one QWidget and keeps its
// own bounds, text, font, hint and cursor, which it pushes to the widget.
//
// Hosting a widget of one's own: a control class creates its QWidget subclass and hands it to
// the TControl constructor, which takes ownership (the widget is deleted with the control unless
// Qt deleted it first with its parent). The control places the widget inside its parent's
// ClientWidget(). A widget that reports user actions calls the control's handlers through
// ui::Dispatch (ui/Dispatch.h), so a failure reaches the default exception handler.

#include <QPointer>
#include <QWidget>
#include <string>

#include "graphics/Canvas.h"
#include "ui/Component.h"

class TWinControl;
class ClickFilter;

enum class TCursor { crDefault, crArrow, crHandPoint, crHourGlass };
enum class TAlign { alNone, alClient };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

struct TControlFont {
    // A narrow sans-serif: the windows' label boxes were measured for an 8-point system font.
    std::string Name = "DejaVu Sans Condensed";
    int PixelHeight = 11;  // character height, as the windows were laid out for
    bool Bold = false;
    TColor Color = clWindowText;
};

QColor ToQColor(TColor color);
QFont ToQFont(const TControlFont& font);

class TControl : public TComponent {
    OBRAZOR_CLASS_RECORD
public:
    TControl(TComponent* owner, QWidget* widget);
    ~TControl() override;

    QWidget* Widget() const { return widget_; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    // The control's text: a label's or button's caption, an edit's content.
    virtual std::string Text() const { return text_; }
    virtual void SetText(const std::string& value);
    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& value) { SetText(value); }

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    const TControlFont& Font() const { return font_; }
    void SetFont(const TControlFont& value);
    TColor Color() const { return color_; }
    virtual void SetColor(TColor value);
    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);

    TNotifyEvent OnClick;
    // Runs OnClick with this control as sender; failures pass to the caller.
    virtual void Click();

protected:
    // Widgets without a click signal of their own report a left-button release inside them.
    void EnableMouseClick();
    virtual void TextChanged() {}
    virtual void FontChanged();
    virtual void BoundsChanged() {}

private:
    QPointer<QWidget> widget_;
    ClickFilter* clickFilter_ = nullptr;
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    std::string hint_;
    TCursor cursor_ = TCursor::crDefault;
    TControlFont font_;
    TColor color_ = clBtnFace;
    TAlign align_ = TAlign::alNone;
};

Qt::CursorShape ToQtCursor(TCursor cursor);
