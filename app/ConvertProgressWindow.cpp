#include "app/ConvertProgressWindow.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kCaption = "Převést pro Lumovar";
constexpr int kFailedRole = Qt::UserRole + 1;

// The tool's report line of a file that failed: "SOURCE: failed: why" or
// "SOURCE: W × H → w × h, failed: why".
bool IsFailure(const QString& line) { return line.contains(": failed: ") || line.contains(", failed: "); }

// Files named one by one give a known count; a folder's pictures are counted only by the tool.
int ExpectedFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        if (!QFileInfo(QString::fromStdString(path)).isFile()) return 0;
    return int(paths.size());
}

QString StatusText(int status) {
    switch (status) {
    case 0: return "Hotovo: obrázky jsou převedené (nebo přeskočené, viz níže).";
    case 1: return "Některé obrázky se nepodařilo převést, důvod je u každého z nich.";
    default: return "Převod skončil chybou (viz níže).";
    }
}

}  // namespace

ConvertProgressWindow::ConvertProgressWindow(QString tool, QWidget* parent)
    : QWidget(parent), tool_(std::move(tool)), headline_(new QLabel("Převádím…", this)), bar_(new QProgressBar(this)),
      lines_(new QListWidget(this)) {
    setWindowTitle(kCaption);
    headline_->setWordWrap(true);
    lines_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton("Zavřít", QDialogButtonBox::AcceptRole);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headline_);
    layout->addWidget(bar_);
    layout->addWidget(lines_, 1);
    layout->addWidget(buttons);
    resize(560, 320);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process_, &QProcess::readyReadStandardOutput, this, [this] { TakeOutput(); });
    connect(&process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus how) {
        TakeOutput();
        Done(how == QProcess::NormalExit ? code : -1);
    });
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        AddLine(tool_ + ": " + process_.errorString());
        Done(-1);
    });
}

void ConvertProgressWindow::Start(const std::vector<std::string>& paths) {
    expected_ = ExpectedFiles(paths);
    bar_->setRange(0, expected_);  // 0..0: busy until the tool ends
    QStringList args{"--"};
    for (const std::string& path : paths) args << QString::fromStdString(path);
    process_.start(tool_, args);
}

void ConvertProgressWindow::TakeOutput() {
    pending_ += process_.readAllStandardOutput();
    for (qsizetype end; (end = pending_.indexOf('\n')) >= 0; pending_.remove(0, end + 1))
        AddLine(QString::fromUtf8(pending_.left(end)));
}

void ConvertProgressWindow::AddLine(const QString& text) {
    auto* item = new QListWidgetItem(text, lines_);
    if (IsFailure(text)) {
        item->setData(kFailedRole, true);
        item->setForeground(Qt::darkRed);
    }
    lines_->scrollToItem(item);
    if (expected_ > 0) bar_->setValue(std::min(++reported_, expected_));
}

void ConvertProgressWindow::Done(int status) {
    if (finished_) return;
    finished_ = true;
    status_ = status;
    if (!pending_.isEmpty()) AddLine(QString::fromUtf8(pending_));
    pending_.clear();
    bar_->setRange(0, 1);
    bar_->setValue(1);
    headline_->setText(StatusText(status));
}

QString ConvertProgressWindow::Headline() const { return headline_->text(); }

QStringList ConvertProgressWindow::Lines() const {
    QStringList texts;
    for (int i = 0; i < lines_->count(); ++i) texts << lines_->item(i)->text();
    return texts;
}

QStringList ConvertProgressWindow::FailedLines() const {
    QStringList texts;
    for (int i = 0; i < lines_->count(); ++i)
        if (lines_->item(i)->data(kFailedRole).toBool()) texts << lines_->item(i)->text();
    return texts;
}

QString ConvertToolPath() {
    const QDir here(QCoreApplication::applicationDirPath());
    for (const char* candidate : {"obrazor-convert", "../convert/obrazor-convert"}) {
        const QFileInfo tool(here.filePath(candidate));
        if (tool.isFile() && tool.isExecutable()) return tool.canonicalFilePath();
    }
    return "obrazor-convert";
}
