#pragma once
// TButton: a push button with a caption.

#include "ui/WinControl.h"

class TButton : public TWinControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TButton(TComponent* owner);

protected:
    void TextChanged() override;
};
