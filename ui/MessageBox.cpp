#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

TMessageBoxFunction MessageBoxHook;

namespace {

// The box is modal to the active window, as the questions are modal to the main window.
int ShowOnScreen(const std::string& text, const std::string& caption, unsigned flags) {
    const bool question = (flags & MB_YESNO) != 0;
    const QMessageBox::Icon icon = (flags & MB_ICONSTOP) ? QMessageBox::Critical : QMessageBox::NoIcon;
    const QMessageBox::StandardButtons buttons = question ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok;
    // A carriage return ends each line of the program's questions.
    QString body = QString::fromStdString(text);
    body.replace("\r\n", "\n").replace('\r', '\n');
    QMessageBox box(icon, QString::fromStdString(caption), body.trimmed(), buttons, QApplication::activeWindow());
    // The window speaks Czech, so do its answers, whatever translation Qt has at hand.
    if (question) {
        box.button(QMessageBox::Yes)->setText("&Ano");
        box.button(QMessageBox::No)->setText("&Ne");
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.button(QMessageBox::Ok)->setText("OK");
    }
    box.setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    const int answer = box.exec();
    if (answer == QMessageBox::Yes) return IDYES;
    if (answer == QMessageBox::No) return IDNO;
    return question ? IDNO : IDOK;
}

}  // namespace

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    if (MessageBoxHook) return MessageBoxHook(text, caption, flags);
    return ShowOnScreen(text, caption, flags);
}
