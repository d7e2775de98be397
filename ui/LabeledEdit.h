#pragma once
// TLabeledEdit: an edit with its label to its left. The label's left edge is the edit's left
// minus the label's width minus the spacing; its top centres it on the edit's height. Moving or
// resizing the edit moves the label by the same rule.

#include "ui/Edit.h"
#include "ui/Label.h"

class TLabeledEdit : public TEdit {
    OBRAZOR_CLASS_RECORD
public:
    static constexpr int kLabelSpacing = 3;

    explicit TLabeledEdit(TComponent* owner);

    // The label is a separate control placed beside the edit in the same parent.
    TLabel& EditLabel() { return *label_; }
    void SetParent(TWinControl* parent) override;
    void SetVisible(bool value) override;
    // Sets the label's text and fixes its size, so the layout does not depend on the font.
    void SetEditLabel(const std::string& caption, int width, int height);

protected:
    void BoundsChanged() override;

private:
    void PlaceLabel();
    TLabel* label_;
};
