#include "ui/LabeledEdit.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TLabeledEdit, TEdit);

TLabeledEdit::TLabeledEdit(TComponent* owner) : TEdit(owner), label_(new TLabel(this)) {
    label_->SetAlignment(TAlignment::taRightJustify);
}

void TLabeledEdit::SetParent(TWinControl* parent) {
    TEdit::SetParent(parent);
    label_->SetParent(parent);
    PlaceLabel();
}

void TLabeledEdit::SetVisible(bool value) {
    TEdit::SetVisible(value);
    label_->SetVisible(value);
}

void TLabeledEdit::SetEditLabel(const std::string& caption, int width, int height) {
    label_->SetAutoSize(false);
    label_->SetText(caption);
    label_->SetBounds(label_->Left(), label_->Top(), width, height);
    PlaceLabel();
}

void TLabeledEdit::BoundsChanged() {
    TEdit::BoundsChanged();
    PlaceLabel();
}

void TLabeledEdit::PlaceLabel() {
    const int left = Left() - label_->Width() - kLabelSpacing;
    const int top = Top() + (Height() - label_->Height()) / 2;
    label_->SetBounds(left, top, label_->Width(), label_->Height());
}
