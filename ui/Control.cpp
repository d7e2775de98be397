#include "ui/Control.h"

#include "ui/ClickFilter.h"
#include "ui/WinControl.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TControl, TComponent);

QColor ToQColor(TColor color) {
    const platform::COLORREF rgb = ColorToRGB(color);
    return QColor(platform::GetRValue(rgb), platform::GetGValue(rgb), platform::GetBValue(rgb));
}

namespace {
// Brings the condensed font to the width of the system font the label boxes were sized for.
constexpr double kLetterSpacing = -0.2;
}  // namespace

QFont ToQFont(const TControlFont& font) {
    QFont result(QString::fromStdString(font.Name));
    result.setPixelSize(font.PixelHeight);
    result.setLetterSpacing(QFont::AbsoluteSpacing, kLetterSpacing);
    result.setBold(font.Bold);
    result.setStyleHint(QFont::SansSerif);
    return result;
}

Qt::CursorShape ToQtCursor(TCursor cursor) {
    switch (cursor) {
    case TCursor::crHandPoint: return Qt::PointingHandCursor;
    case TCursor::crHourGlass: return Qt::WaitCursor;
    case TCursor::crArrow:
    case TCursor::crDefault: break;
    }
    return Qt::ArrowCursor;
}

TControl::TControl(TComponent* owner, QWidget* widget) : TComponent(owner), widget_(widget) {
    widget_->setFont(ToQFont(font_));
}

TControl::~TControl() {
    if (parent_) parent_->RemoveControl(this);
    delete widget_.data();  // null when Qt already deleted it with its parent widget
    delete clickFilter_;
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) parent_->RemoveControl(this);
    parent_ = parent;
    if (!widget_) return;
    widget_->setParent(parent_ ? parent_->ClientWidget() : nullptr);
    if (parent_) {
        parent_->InsertControl(this);
        widget_->setVisible(visible_);
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    if (widget_ && parent_) widget_->setGeometry(left_, top_, width_, height_);
    BoundsChanged();
}

void TControl::SetVisible(bool value) {
    visible_ = value;
    if (widget_ && parent_) widget_->setVisible(value);
}

void TControl::SetEnabled(bool value) {
    enabled_ = value;
    if (widget_) widget_->setEnabled(value);
}

void TControl::SetText(const std::string& value) {
    text_ = value;
    TextChanged();
}

void TControl::SetHint(const std::string& value) {
    hint_ = value;
    if (widget_) widget_->setToolTip(QString::fromStdString(value));
}

void TControl::SetCursor(TCursor value) {
    cursor_ = value;
    if (widget_) widget_->setCursor(ToQtCursor(value));
}

void TControl::SetFont(const TControlFont& value) {
    font_ = value;
    FontChanged();
}

void TControl::FontChanged() {
    if (!widget_) return;
    widget_->setFont(ToQFont(font_));
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::WindowText, ToQColor(font_.Color));
    palette.setColor(QPalette::Text, ToQColor(font_.Color));
    palette.setColor(QPalette::ButtonText, ToQColor(font_.Color));
    widget_->setPalette(palette);
}

void TControl::SetColor(TColor value) { color_ = value; }

void TControl::SetAlign(TAlign value) {
    align_ = value;
    if (parent_) parent_->AlignControls();
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::EnableMouseClick() {
    if (clickFilter_ || !widget_) return;
    clickFilter_ = new ClickFilter(this);
    widget_->installEventFilter(clickFilter_);
}
