#include "ui/Memo.h"

#include <QPainter>
#include <QPlainTextEdit>

OBRAZOR_DEFINE_ABSTRACT_CLASS(TMemo, TWinControl);

namespace {

// A read-only memo shows no caret, so its frame tells that the keyboard is there.
class MemoEditor : public QPlainTextEdit {
protected:
    bool event(QEvent* event) override {
        const bool handled = QPlainTextEdit::event(event);
        if (event->type() == QEvent::Paint && hasFocus()) {
            QPainter painter(this);
            painter.setPen(palette().color(QPalette::Highlight));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
        return handled;
    }
    void focusInEvent(QFocusEvent* event) override {
        QPlainTextEdit::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        QPlainTextEdit::focusOutEvent(event);
        update();
    }
};

}  // namespace

TMemo::TMemo(TComponent* owner) : TWinControl(owner, new MemoEditor) {
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
