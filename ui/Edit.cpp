#include "ui/Edit.h"

#include <QLineEdit>

#include "ui/Dispatch.h"

OBRAZOR_DEFINE_ABSTRACT_CLASS(TEdit, TWinControl);

TEdit::TEdit(TComponent* owner) : TWinControl(owner, new QLineEdit) {
    QObject::connect(Line(), &QLineEdit::textEdited, [this] {
        ui::Dispatch([this] {
            if (OnChange) OnChange(this);
        });
    });
}

QLineEdit* TEdit::Line() const { return static_cast<QLineEdit*>(Widget()); }

std::string TEdit::Text() const { return Line()->text().toStdString(); }

void TEdit::SetText(const std::string& value) {
    Line()->setText(QString::fromStdString(value));
    Line()->setCursorPosition(0);
}

void TEdit::SetReadOnly(bool value) { Line()->setReadOnly(value); }
