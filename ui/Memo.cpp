#include "ui/Memo.h"

#include <QPlainTextEdit>

OBRAZOR_DEFINE_ABSTRACT_CLASS(TMemo, TWinControl);

TMemo::TMemo(TComponent* owner) : TWinControl(owner, new QPlainTextEdit) {
    Editor()->setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

QPlainTextEdit* TMemo::Editor() const { return static_cast<QPlainTextEdit*>(Widget()); }

void TMemo::Clear() {
    lines_.clear();
    Editor()->clear();
}

void TMemo::Add(const std::string& line) {
    lines_.push_back(line);
    Editor()->appendPlainText(QString::fromStdString(line));
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
    Clear();
    for (const std::string& line : lines) Add(line);
    // A text given whole is read from its start; only a growing log follows its end.
    Editor()->moveCursor(QTextCursor::Start);
}

void TMemo::SetReadOnly(bool value) { Editor()->setReadOnly(value); }

void TMemo::SetVerticalScrollBar(bool value) {
    Editor()->setVerticalScrollBarPolicy(value ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
}

void TMemo::SetColor(TColor value) {
    TControl::SetColor(value);
    QPalette palette = Editor()->palette();
    palette.setColor(QPalette::Base, ToQColor(value));
    Editor()->setPalette(palette);
}
