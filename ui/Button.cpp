#include "ui/Button.h"

#include <QPushButton>

#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TButton, TWinControl);

TButton::TButton(TComponent* owner) : TWinControl(owner, new QPushButton) {
    // Enter presses the focused button, as Space does.
    static_cast<QPushButton*>(Widget())->setAutoDefault(true);
    QObject::connect(static_cast<QPushButton*>(Widget()), &QPushButton::clicked,
                     [this] { ui::Dispatch([this] { Click(); }); });
}

void TButton::TextChanged() { static_cast<QPushButton*>(Widget())->setText(QString::fromStdString(Text())); }
