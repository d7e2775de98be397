#pragma once
// TPanel: a container with a raised one-pixel bevel and a caption centred in it.

#include "ui/WinControl.h"

class TPanel : public TWinControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TPanel(TComponent* owner);
    void SetColor(TColor value) override;

protected:
    void TextChanged() override;
};
