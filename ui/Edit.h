#pragma once
// TEdit: a one-line text field.

#include "ui/WinControl.h"

class QLineEdit;

class TEdit : public TWinControl {
    OBRAZOR_CLASS_RECORD
public:
    explicit TEdit(TComponent* owner);

    std::string Text() const override;
    void SetText(const std::string& value) override;
    void SetReadOnly(bool value);

    TNotifyEvent OnChange;

private:
    QLineEdit* Line() const;
};
