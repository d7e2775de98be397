#include "ui/Label.h"

#include <QFontMetrics>
#include <QLabel>

OBRAZOR_DEFINE_ABSTRACT_CLASS(TLabel, TControl);

namespace {
Qt::Alignment ToQtAlignment(TAlignment alignment) {
    switch (alignment) {
    case TAlignment::taRightJustify: return Qt::AlignRight | Qt::AlignTop;
    case TAlignment::taCenter: return Qt::AlignHCenter | Qt::AlignTop;
    case TAlignment::taLeftJustify: break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}
}  // namespace

TLabel::TLabel(TComponent* owner) : TControl(owner, new QLabel) {
    auto* label = static_cast<QLabel*>(Widget());
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(ToQtAlignment(alignment_));
    EnableMouseClick();
}

void TLabel::SetAlignment(TAlignment value) {
    alignment_ = value;
    static_cast<QLabel*>(Widget())->setAlignment(ToQtAlignment(value));
}

void TLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    AdjustSize();
}

void TLabel::SetColor(TColor value) {
    TControl::SetColor(value);
    Widget()->setAutoFillBackground(true);
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::Window, ToQColor(value));
    Widget()->setPalette(palette);
}

QSize TLabel::TextExtent() const {
    const QFontMetrics metrics(ToQFont(Font()));
    const QString text = QString::fromStdString(Text());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void TLabel::TextChanged() {
    static_cast<QLabel*>(Widget())->setText(QString::fromStdString(Text()));
    AdjustSize();
}

void TLabel::FontChanged() {
    TControl::FontChanged();
    AdjustSize();
}

void TLabel::AdjustSize() {
    if (!autoSize_) return;
    const QSize extent = TextExtent();
    // A right-aligned label grows to the left: its right edge is where the text ends.
    const int left = alignment_ == TAlignment::taRightJustify ? Left() + Width() - extent.width() : Left();
    SetBounds(left, Top(), extent.width(), extent.height());
}
