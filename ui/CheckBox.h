#pragma once
// TCheckBox: a caption with a checked state.

#include "ui/WinControl.h"

class QCheckBox;

class TCheckBox : public TWinControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const;
    void SetChecked(bool value);

protected:
    void TextChanged() override;

private:
    QCheckBox* Box() const;
};
