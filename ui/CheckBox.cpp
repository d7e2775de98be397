#include "ui/CheckBox.h"

#include <QCheckBox>

#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TCheckBox, TWinControl);

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner, new QCheckBox) {
    QObject::connect(Box(), &QCheckBox::clicked, [this] { ui::Dispatch([this] { Click(); }); });
}

QCheckBox* TCheckBox::Box() const { return static_cast<QCheckBox*>(Widget()); }

bool TCheckBox::Checked() const { return Box()->isChecked(); }

void TCheckBox::SetChecked(bool value) { Box()->setChecked(value); }

void TCheckBox::TextChanged() { Box()->setText(QString::fromStdString(Text())); }
