#include "ui/FormWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <algorithm>

#include "ui/Application.h"
#include "ui/Dispatch.h"
#include "ui/Form.h"

namespace {
// Window systems keep window sizes in 16 bits; a larger client shows its top-left part.
constexpr int kMaxWindowSide = 32767;

bool CarriesLocalFiles(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return false;
    const QList<QUrl> urls = mime->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}
}  // namespace

FormWindow::FormWindow(TForm* form) : QWidget(nullptr, Qt::Window), form_(form), client_(new QWidget(this)) {
    client_->setAutoFillBackground(true);
    setAcceptDrops(true);
    // The drag events of the form's own fields pass this window's filter first.
    qApp->installEventFilter(this);
}

void FormWindow::SetMenuBar(QMenuBar* bar) {
    menuBar_ = bar;
    if (!bar) return;
    bar->setParent(this);
    bar->setNativeMenuBar(false);
    bar->show();
    SetClientSize(client_->width(), client_->height());
}

int FormWindow::MenuHeight() const { return menuBar_ ? menuBar_->sizeHint().height() : 0; }

void FormWindow::SetClientSize(int width, int height) {
    const int menu = MenuHeight();
    width = std::min(width, kMaxWindowSide);
    height = std::min(height, kMaxWindowSide - menu);
    if (menuBar_) menuBar_->setGeometry(0, 0, width, menu);
    client_->setGeometry(0, menu, width, height);
    QSize size(width, height + menu);
    if (limit_.isValid()) size = size.boundedTo(limit_);
    setFixedSize(size);
}

void FormWindow::SetSizeLimit(const QSize& most) {
    limit_ = most;
    SetClientSize(client_->width(), client_->height());
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The frame's close button closes the form as its own Close would; the form decides
    // whether that hides it or ends the program.
    event->ignore();
    ui::Dispatch([this] { form_->Close(); });
}

void FormWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous()) form_->WindowHidden();
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    const bool mainForm = Application && Application->MainForm() == form_;
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier || mainForm) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    ui::Dispatch([this] { form_->Close(); });
}

std::vector<std::string> FormWindow::DroppablePaths(const QMimeData* mime) const {
    std::vector<std::string> paths;
    if (!mime || !mime->hasUrls() || !form_->OnDropFiles) return paths;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) continue;
        // The name's bytes as the file system keeps them.
        std::string path = QFile::encodeName(url.toLocalFile()).toStdString();
        if (!form_->OnCanDropFile || form_->OnCanDropFile(path)) paths.push_back(std::move(path));
    }
    return paths;
}

void FormWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppablePaths(event->mimeData()).empty()) event->acceptProposedAction();
}

void FormWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppablePaths(event->mimeData()).empty()) event->acceptProposedAction();
}

void FormWindow::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = DroppablePaths(event->mimeData());
    if (paths.empty()) return;
    event->acceptProposedAction();
    ui::Dispatch([this, &paths] { form_->OnDropFiles(form_, paths); });
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget == this || widget->window() != this || !form_->OnDropFiles) return false;
    auto* drag = static_cast<QDropEvent*>(event);
    if (!CarriesLocalFiles(drag->mimeData())) return false;
    if (type == QEvent::Drop) dropEvent(drag);
    else if (!DroppablePaths(drag->mimeData()).empty()) drag->acceptProposedAction();
    else drag->ignore();
    return true;
}
