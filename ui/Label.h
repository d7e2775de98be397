#pragma once
// TLabel: a line of text. With AutoSize on, it takes the width and height of its text; a
// right-aligned auto-sized label keeps its right edge where it is.

#include "ui/Control.h"

class TLabel : public TControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    void SetColor(TColor value) override;
    // The size the text needs in the label's font.
    QSize TextExtent() const;

protected:
    void TextChanged() override;
    void FontChanged() override;

private:
    void AdjustSize();
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSize_ = true;
};
